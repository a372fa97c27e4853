// The welcome window: its painted background and title, the labels, the picture of the
// galaxy show, and the web, credits and dismiss buttons.
#include "ui/qt/welcome_window.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QTimer>

#include "engine/colour.h"
#include "ui/logic/credit_stars.h"
#include "ui/logic/welcome_show.h"
#include "ui/qt/credits_window.h"
#include "ui/qt/gradient.h"
#include "ui/qt/qt_controls.h"
#include "ui/qt/surface_picture.h"
#include "ui/qt/ui_feedback.h"

namespace astrelle {

namespace {

constexpr uint32_t kBackgroundInner = 0x00802000u;  // RGB(0, 32, 128)
constexpr uint32_t kBackgroundOuter = 0x00000080u;  // RGB(128, 0, 0)
constexpr int kBackgroundBands = 24;
constexpr int kBackgroundStyle = 7;
constexpr double kBackgroundCentreX = 840;  // twips from the window's top-left corner
constexpr double kBackgroundCentreY = 660;
constexpr int kDefaultTwipsPerPixel = 15;
// The credits' set-up: stars, depth step per frame, scroll step per frame.
constexpr int16_t kCreditStars = 125;
constexpr float kCreditSpeed = 0.005f;
constexpr float kCreditScroll = 2.0f;

UrlOpener& Opener() {
    static UrlOpener opener;
    return opener;
}

QLabel* MakeLabel(const QString& text, QWidget* parent, qreal scale = 1.0, bool bold = false) {
    auto* label = new QLabel(text, parent);
    QFont f = label->font();
    f.setPointSizeF(f.pointSizeF() * scale);
    f.setBold(bold);
    label->setFont(f);
    label->setWordWrap(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(235, 240, 255));
    label->setPalette(palette);
    return label;
}

}  // namespace

UrlOpener SetUrlOpener(UrlOpener opener) {
    return std::exchange(Opener(), std::move(opener));
}

bool OpenProductPage(QWidget* parent) {
    const QUrl url(ToQt(kProductPageUrl));
    const bool opened = Opener() ? Opener()(url) : QDesktopServices::openUrl(url);
    if (!opened) ShowWarning(parent, ToQt(ProductPageWarning()));
    return opened;
}

WelcomeWindow::WelcomeWindow(const WelcomeContext& context, QWidget* parent)
    : QDialog(parent),
      context_(context),
      picKRLN_(new SurfacePicture(this)),
      lblVersion_(MakeLabel(ToQt(kWelcomeVersion), this, 1.1, true)),
      lblSmall_(MakeLabel(ToQt(kWelcomeSmallPrint), this, 0.85)),
      lblContact_(MakeLabel(ToQt(kWelcomeContact), this, 0.85)),
      lblAddress_(MakeLabel(ToQt(kProductPageUrl), this, 0.9)),
      cmdWeb_(new QPushButton(tr("&Web..."), this)),
      cmdCredits_(new QPushButton(tr("&Credits..."), this)),
      cmdDismiss_(new QPushButton(tr("&Dismiss"), this)) {
    setModal(true);
    setWindowTitle(ToQt(kWelcomeCaption));
    setFixedSize(500, 330);

    target_ = std::make_unique<PictureTarget>(*picKRLN_, context_.process);
    show_ =
        std::make_unique<WelcomeShow>(*target_, context_.galaxyTypes, context_.composites, context_.store);

    picKRLN_->setGeometry(280, 74, 200, 160);
    lblVersion_->setGeometry(24, 92, 240, 24);
    lblSmall_->setGeometry(24, 122, 240, 80);
    lblContact_->setWordWrap(false);
    lblAddress_->setWordWrap(false);
    lblContact_->setGeometry(24, 212, 256, 20);
    lblAddress_->setGeometry(24, 234, 256, 20);
    const int buttonY = 280;
    cmdWeb_->setGeometry(24, buttonY, 100, 30);
    cmdCredits_->setGeometry(136, buttonY, 100, 30);
    cmdDismiss_->setGeometry(380, buttonY, 100, 30);
    cmdDismiss_->setDefault(true);

    connect(cmdWeb_, &QPushButton::clicked, this, [this] { OpenProductPage(this); });
    connect(cmdCredits_, &QPushButton::clicked, this, &WelcomeWindow::ShowCredits);
    connect(cmdDismiss_, &QPushButton::clicked, this, &WelcomeWindow::Dismiss);
}

WelcomeWindow::~WelcomeWindow() = default;

void WelcomeWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!started_) {
        started_ = true;
        QTimer::singleShot(0, this, &WelcomeWindow::RunGalaxyShow);
    }
}

void WelcomeWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // The background is laid out in twips, as the window's own units.
    const ProcessValues& p = context_.process;
    const double tx = p.TwipsPerPixelX > 0 ? p.TwipsPerPixelX : kDefaultTwipsPerPixel;
    const double ty = p.TwipsPerPixelY > 0 ? p.TwipsPerPixelY : kDefaultTwipsPerPixel;
    painter.save();
    painter.scale(1.0 / tx, 1.0 / ty);
    PaintGradient(painter, ScaleArea{0, 0, width() * tx, height() * ty}, kBackgroundInner, kBackgroundOuter,
                  kBackgroundBands, kBackgroundStyle, ScalePoint{kBackgroundCentreX, kBackgroundCentreY});
    painter.restore();

    // Title art: the name in a soft glow with a hue-wheel colour run along it.
    QFont title = font();
    title.setPointSizeF(title.pointSizeF() * 3.2);
    title.setBold(true);
    title.setLetterSpacing(QFont::AbsoluteSpacing, 3);
    QPainterPath path;
    path.addText(24, 70, title, QStringLiteral("Astrelle"));
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.translate(3, 3);
    painter.fillPath(path, QColor(0, 0, 0, 140));
    painter.translate(-3, -3);
    QLinearGradient run(path.boundingRect().topLeft(), path.boundingRect().topRight());
    for (int i = 0; i <= 4; ++i) {
        const uint32_t c = HueColor(static_cast<int16_t>(180 + i * 20));
        run.setColorAt(i / 4.0, QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF));
    }
    painter.fillPath(path, run);
    painter.setPen(QPen(QColor(255, 255, 255, 200), 1));
    painter.drawPath(path);
    // A few fixed stars around the name.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 230));
    for (const QPointF star : {QPointF(238, 30), QPointF(252, 52), QPointF(16, 26), QPointF(200, 84)}) {
        painter.drawEllipse(star, 1.6, 1.6);
    }
}

void WelcomeWindow::RunGalaxyShow() {
    if (show_->Running()) return;
    update();
    show_->Run();  // until dismissed
}

void WelcomeWindow::ShowCredits() {
    show_->InterruptForCredits();  // the current preview ends; the show goes on after
    astrelle::ShowCredits(this, show_->Engine(),
                          CreditsSetup{kCreditStars, kCreditSpeed, kCreditScroll, CreditLines()});
    show_->ResumeAfterCredits();
    update();
}

void WelcomeWindow::Dismiss() {
    // The stop ends a running show, which clears it again when it has wound down.
    show_->Stop();
    QDialog::accept();
}

void WelcomeWindow::reject() {
    Dismiss();
}

void WelcomeWindow::closeEvent(QCloseEvent* event) {
    show_->Stop();
    QDialog::closeEvent(event);
}

void ShowWelcome(QWidget* parent, const WelcomeContext& context) {
    WelcomeWindow window(context, parent);
    window.exec();
}

}  // namespace astrelle
