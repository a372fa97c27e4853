// The credits window: the star flight over its gradient, the scrolling credit lines, the
// restart on resize and the frame pacing through the engine's frame wait.
#include "ui/qt/credits_window.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

#include <cmath>

#include "engine/engine_state.h"
#include "engine/frame_loop.h"
#include "ui/qt/gradient.h"
#include "ui/qt/qt_controls.h"

namespace astrelle {

namespace {

constexpr uint32_t kFieldTop = 0x00300000u;     // RGB(0, 0, 48)
constexpr uint32_t kFieldBottom = 0x000000A0u;  // RGB(160, 0, 0)
constexpr int kFieldBands = 24;
constexpr int kFieldStyle = 2;
const QColor kTextShadow(0, 128, 128);
const QColor kTextColour(0, 255, 255);

}  // namespace

// The credit lines, each centred on the panel's width, in a shadow and a bright colour.
class CreditsText : public QWidget {
  public:
    explicit CreditsText(QWidget* parent) : QWidget(parent) {
        QFont f = font();
        f.setPointSizeF(f.pointSizeF() * 1.2);
        f.setBold(true);
        setFont(f);
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    void SetLines(const std::vector<std::string>& lines) {
        lines_.clear();
        for (const std::string& line : lines) lines_ << ToQt(line);
        update();
    }
    int TextHeight() const {
        return QFontMetrics(font()).lineSpacing() * static_cast<int>(lines_.size()) + 4;
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QFontMetrics metrics(font());
        int y = metrics.ascent();
        for (const QString& line : lines_) {
            const int x = (width() - metrics.horizontalAdvance(line)) / 2;
            painter.setPen(kTextShadow);
            painter.drawText(x + 1, y + 1, line);
            painter.setPen(kTextColour);
            painter.drawText(x, y, line);
            y += metrics.lineSpacing();
        }
    }

  private:
    QStringList lines_;
};

CreditsWindow::CreditsWindow(EngineContext& ctx, QWidget* parent)
    : QDialog(parent),
      ctx_(ctx),
      picFrame_(new QWidget(this)),
      picCredits_(new CreditsText(picFrame_)),
      cmdDismiss_(new QPushButton(tr("&Dismiss"), this)) {
    setModal(true);
    setWindowTitle(tr("Astrelle Credits"));
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(cmdDismiss_, &QPushButton::clicked, this, &CreditsWindow::Dismiss);
    resize(520, 400);
}

CreditsWindow::~CreditsWindow() = default;

void CreditsWindow::FormLet(int16_t stars, float speed, float scrollStep,
                            const std::vector<std::string>& lines) {
    setup_ = CreditsSetup{stars, speed, scrollStep, lines};
    picCredits_->SetLines(lines);
    LayOut();
}

QWidget* CreditsWindow::TextFrame() const {
    return picFrame_;
}
QWidget* CreditsWindow::TextPanel() const {
    return picCredits_;
}

void CreditsWindow::ToggleMaximized() {
    if (windowState() & Qt::WindowMaximized) {
        showNormal();
    } else {
        showMaximized();
    }
}

void CreditsWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!started_) {
        started_ = true;
        // The flight runs inside the window's own event processing, once it is on screen.
        QTimer::singleShot(0, this, &CreditsWindow::Run);
    }
}

void CreditsWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    LayOut();
    restart_ = true;
}

void CreditsWindow::closeEvent(QCloseEvent* event) {
    ctx_.Host.Process().StopRequested = kTrue16;
    QDialog::closeEvent(event);
}

void CreditsWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (field_.isNull()) {
        painter.fillRect(rect(), Qt::black);
    } else {
        painter.drawImage(0, 0, field_);
    }
}

void CreditsWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    ToggleMaximized();
    event->accept();
}

void CreditsWindow::LayOut() {
    const int w = width();
    const int h = height();
    const QSize button = cmdDismiss_->sizeHint();
    cmdDismiss_->setGeometry(w - button.width() - 12, h - button.height() - 12, button.width(),
                             button.height());
    const int frameW = std::max(40, w * 7 / 10);
    const int frameTop = h / 8;
    const int frameH = std::max(20, h - frameTop - button.height() - 36);
    picFrame_->setGeometry((w - frameW) / 2, frameTop, frameW, frameH);
    picCredits_->setGeometry(0, static_cast<int>(picFrame_->height() - kCreditsEntryGap), frameW,
                             picCredits_->TextHeight());
    textTop_ = picCredits_->y();
}

void CreditsWindow::NewBackground() {
    field_ = QImage(size(), QImage::Format_RGB32);
    field_.fill(Qt::black);
    QPainter painter(&field_);
    // The field spans -1..1 both ways with 0 in the middle.
    painter.translate(field_.width() / 2.0, field_.height() / 2.0);
    painter.scale(field_.width() / 2.0, field_.height() / 2.0);
    PaintGradient(painter, ScaleArea{-1, -1, 2, 2}, kFieldTop, kFieldBottom, kFieldBands, kFieldStyle);
}

QPoint CreditsWindow::FieldPoint(float sx, float sy, int width, int height) {
    return QPoint(static_cast<int>(std::floor((sx + 1.0f) * 0.5f * static_cast<float>(width - 1) + 0.5f)),
                  static_cast<int>(std::floor((sy + 1.0f) * 0.5f * static_cast<float>(height - 1) + 0.5f)));
}

void CreditsWindow::Dot(float sx, float sy, int width) {
    // Exclusive-or with white: the same dot drawn again gives the picture back unchanged.
    const QPoint p = FieldPoint(sx, sy, field_.width(), field_.height());
    const QRect box(p.x() - width / 2, p.y() - width / 2, width, width);
    QPainter painter(&field_);
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (width < 3) {
        painter.fillRect(box, Qt::white);
    } else {
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        painter.drawEllipse(box);
    }
}

void CreditsWindow::Scroll() {
    textTop_ = NextCreditsTop(textTop_, picCredits_->height(), picFrame_->height(), setup_.scrollStep);
    picCredits_->move(0, static_cast<int>(std::floor(textTop_)));
}

void CreditsWindow::Run() {
    if (running_) return;
    running_ = true;
    ProcessValues& process = ctx_.Host.Process();
    process.StopRequested = kFalse16;
    setup_ = ClampCreditsSetup(setup_);
    auto plot = [this](float sx, float sy, int width) { Dot(sx, sy, width); };

    bool stop = false;
    while (!stop) {
        restart_ = false;
        NewBackground();
        random_.Seed(ctx_.Host.ClockSeed());
        update();
        ctx_.Host.ProcessEvents(0);
        if (process.StopRequested != 0) break;
        if (restart_) continue;  // resized while the background was drawn
        ++restarts_;
        stars_.Start(setup_.stars, random_, plot);
        while (!restart_) {
            ctx_.FrameStartTick = ctx_.Host.TickCount();
            stars_.Frame(setup_.speed, random_, plot);
            ++frames_;
            update();
            if (FrameWait(ctx_)) {
                stop = true;
                break;
            }
            Scroll();
        }
    }
    running_ = false;
}

void CreditsWindow::Dismiss() {
    ctx_.Host.Process().StopRequested = kTrue16;
    accept();
}

void ShowCredits(QWidget* parent, EngineContext& ctx, const CreditsSetup& setup) {
    CreditsWindow window(ctx, parent);
    window.FormLet(setup.stars, setup.speed, setup.scrollStep, setup.lines);
    window.exec();
}

}  // namespace astrelle
