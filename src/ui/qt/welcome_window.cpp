// The welcome window: its painted background and title, the labels, the galaxy show of the
// composite types, and the web, credits and dismiss buttons.
#include "ui/qt/welcome_window.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QTimer>

#include "engine/colour.h"
#include "engine/preview.h"
#include "settings/factory_tables.h"
#include "settings/registry_store.h"
#include "settings/value_utils.h"
#include "ui/qt/credits_window.h"
#include "ui/qt/gradient.h"
#include "ui/qt/surface_picture.h"
#include "ui/qt/ui_feedback.h"
#include "ui/qt/window_engine_host.h"

namespace astrelle {

namespace {

constexpr uint32_t kBackgroundInner = 0x00802000u;  // RGB(0, 32, 128)
constexpr uint32_t kBackgroundOuter = 0x00000080u;  // RGB(128, 0, 0)
constexpr int kBackgroundBands = 24;
constexpr int kBackgroundStyle = 7;
constexpr double kBackgroundCentreX = 840;  // twips from the window's top-left corner
constexpr double kBackgroundCentreY = 660;
constexpr int16_t kShowFrames = 300;
constexpr int kShowDelayMs = 32;

UrlOpener& Opener() {
    static UrlOpener opener;
    return opener;
}

// The preview of the show: one composite type, limited to 300 frames, with reduced stars.
PreviewParams ShowParams(int16_t type) {
    PreviewParams p;
    p.typeIndex = type;
    p.subject = PreviewSubject::CompositeType;
    p.limited = true;
    p.frameLimit = kShowFrames;
    p.stars = 2000;
    p.trail = 2;
    p.ambientCount = 100;
    p.ambientPersistence = 0.9925f;
    p.ambientAgeStep = 0.1f;
    p.symmetry = 0.0f;
    p.flareFrames = 20;
    p.extension = 50000.0f;
    p.starScale = 0.8f;
    return p;
}

int16_t StoredHue(SettingsStore* store, const char* key) {
    const SettingDef* def = FindSetting(key);
    if (store != nullptr) return GetSettingInt16(*store, *def);
    return ParseInt16Or(def->missingText, 0);
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

QStringList CreditLines() {
    return {
        QStringLiteral("Astrelle 2.0"),
        QString(),
        QStringLiteral("A journey through a universe of stars"),
        QString(),
        QStringLiteral("Design and programming"),
        QStringLiteral("The Astrelle Team"),
        QString(),
        QStringLiteral("Star engine"),
        QStringLiteral("Galaxy shapes, novas and comets"),
        QStringLiteral("by the Astrelle Team"),
        QString(),
        QStringLiteral("Themes and galaxy types"),
        QStringLiteral("tuned by many long nights"),
        QStringLiteral("of watching the sky"),
        QString(),
        QStringLiteral("Built with Qt and C++"),
        QString(),
        QStringLiteral("Thanks to everyone who tried"),
        QStringLiteral("the early builds and told us"),
        QStringLiteral("where the stars went wrong"),
        QString(),
        QStringLiteral("Dedicated to all who still"),
        QStringLiteral("look up at night"),
        QString(),
        QStringLiteral("astrelle.example.org"),
    };
}

UrlOpener SetUrlOpener(UrlOpener opener) {
    return std::exchange(Opener(), std::move(opener));
}

bool OpenProductPage(QWidget* parent) {
    const QUrl url(QString::fromLatin1(kProductPageUrl));
    const bool opened = Opener() ? Opener()(url) : QDesktopServices::openUrl(url);
    if (!opened) {
        ShowWarning(parent, QStringLiteral("The Web Page could not be reached.\n\n"
                                           "The desktop's web browser could not be started.\n\n"
                                           "URL:  ") +
                                QString::fromLatin1(kProductPageUrl));
    }
    return opened;
}

WelcomeWindow::WelcomeWindow(const WelcomeContext& context, QWidget* parent)
    : QDialog(parent),
      context_(context),
      picKRLN_(new SurfacePicture(this)),
      lblVersion_(MakeLabel(tr("Version 2.0"), this, 1.1, true)),
      lblSmall_(MakeLabel(tr("A three-dimensional star-field screen saver: universes of galaxies are born, "
                             "spin and fade while the camera tours them.\n"
                             "Copyright \u00A9 2026 the Astrelle Team. Free to use and to share."),
                          this, 0.85)),
      lblContact_(MakeLabel(tr("The Astrelle Team, team@astrelle.example.org"), this, 0.85)),
      lblAddress_(MakeLabel(QString::fromLatin1(kProductPageUrl), this, 0.9)),
      cmdWeb_(new QPushButton(tr("&Web..."), this)),
      cmdCredits_(new QPushButton(tr("&Credits..."), this)),
      cmdDismiss_(new QPushButton(tr("&Dismiss"), this)) {
    setModal(true);
    setWindowTitle(tr("About Astrelle"));
    setFixedSize(500, 330);

    host_ = std::make_unique<WindowEngineHost>(context_.process, [this] { picKRLN_->Present(); });
    engine_ = std::make_unique<EngineContext>(*host_, picKRLN_->Surface(), context_.galaxyTypes,
                                              context_.composites);
    engine_->Settings.Adv_TimeDelay = kShowDelayMs;

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
    const double tx = p.TwipsPerPixelX > 0 ? p.TwipsPerPixelX : 15;
    const double ty = p.TwipsPerPixelY > 0 ? p.TwipsPerPixelY : 15;
    painter.save();
    painter.scale(1.0 / tx, 1.0 / ty);
    PaintGradient(painter, ScaleArea{0, 0, width() * tx, height() * ty}, kBackgroundInner, kBackgroundOuter,
                  kBackgroundBands, kBackgroundStyle, QPointF(kBackgroundCentreX, kBackgroundCentreY));
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
    if (running_) return;
    running_ = true;
    ProcessValues& process = context_.process;
    update();
    host_->ProcessEvents(0);

    savedTypes_ = context_.galaxyTypes;
    savedComposites_ = context_.composites;
    LoadFactoryGalaxyTypes(context_.galaxyTypes);
    LoadFactoryComposites(context_.composites);
    BuildHueTable(*engine_);
    BuildAllHueRamps(*engine_, -1, -1, StoredHue(context_.store, "Universe_HW_Start"),
                     StoredHue(context_.store, "Universe_HW_End"));

    while (process.StopRequested == 0) {
        picKRLN_->Surface().Clear();
        picKRLN_->Present();
        const int16_t k = typeCounter_;
        if (k == 0 || context_.galaxyTypes[static_cast<size_t>(k)].Weight >= 1) {
            SetupSurface(*engine_, SurfaceSize::Small);
            RunPreview(*engine_, ShowParams(k));
            ++previewsRun_;
        }
        typeCounter_ = static_cast<int16_t>((k + 1) % kCompositeCount);
    }

    context_.galaxyTypes = savedTypes_;
    context_.composites = savedComposites_;
    // The stop was ours, to end the show; whoever opened the window starts clean.
    process.StopRequested = kFalse16;
    process.PreviewStopRequested = kFalse16;
    running_ = false;
}

void WelcomeWindow::ShowCredits() {
    ProcessValues& process = context_.process;
    process.PreviewStopRequested = kTrue16;  // the current preview ends; the show goes on after
    astrelle::ShowCredits(this, *engine_, CreditsSetup{125, 0.005f, 2.0f, CreditLines()});
    process.StopRequested = kFalse16;
    update();
}

void WelcomeWindow::Dismiss() {
    // The stop ends a running show, which clears it again when it has wound down.
    if (running_) context_.process.StopRequested = kTrue16;
    QDialog::accept();
}

void WelcomeWindow::reject() {
    Dismiss();
}

void WelcomeWindow::closeEvent(QCloseEvent* event) {
    if (running_) context_.process.StopRequested = kTrue16;
    QDialog::closeEvent(event);
}

void ShowWelcome(QWidget* parent, const WelcomeContext& context) {
    WelcomeWindow window(context, parent);
    window.exec();
}

}  // namespace astrelle
