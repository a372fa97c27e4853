// The advanced settings dialog: layout, the field rules (arrows, arrow keys, key filter,
// normalisation on leaving), the message preview in the chosen font and hue, and loading
// and storing the "Advanced" values.
#include "ui/advanced_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

#include "engine/colour.h"
#include "settings/registry_store.h"
#include "settings/rounding.h"
#include "settings/settings_model.h"
#include "settings/settings_store.h"
#include "settings/value_utils.h"
#include "ui/ui_feedback.h"

namespace astrelle {

namespace {

constexpr std::array<const char*, kAdvancedFields> kFieldKeys = {"Adv_TimeDelay", "Adv_FontSize",
                                                                 "Adv_FontHueV"};
constexpr std::array<int, kAdvancedFields> kFieldSteps = {10, 1, 5};
constexpr int kHueField = 2;
constexpr const char* kAdvancedSection = "Advanced";

QString FromStd(const std::string& text) {
    return QString::fromStdString(text);
}

std::string ToStd(const QString& text) {
    return text.toStdString();
}

QColor ColourOf(uint32_t packed) {
    return QColor(static_cast<int>(packed & 0xFFu), static_cast<int>((packed >> 8) & 0xFFu),
                  static_cast<int>((packed >> 16) & 0xFFu));
}

}  // namespace

const std::array<AdvancedLimit, kAdvancedFields>& AdvancedLimits() {
    static const std::array<AdvancedLimit, kAdvancedFields> limits = [] {
        std::array<AdvancedLimit, kAdvancedFields> table{};
        for (size_t i = 0; i < table.size(); ++i) {
            const SettingDef* def = FindSetting(kFieldKeys[i]);
            table[i] = AdvancedLimit{static_cast<int>(def->low), static_cast<int>(def->high), kFieldSteps[i],
                                     def->missingText};
        }
        return table;
    }();
    return limits;
}

int SteppedFieldValue(const QString& text, const AdvancedLimit& limit, int direction) {
    // Read as the spin rules do: a leading "0" keeps a sign from counting.
    const double current = RoundHalfEven(LeadingNumber(ToStd(QStringLiteral("0") + text)));
    const double next = current + direction * limit.step;
    if (direction > 0) return static_cast<int>(std::min<double>(limit.high, next));
    return static_cast<int>(std::max<double>(limit.low, next));
}

// ---- StepArrows --------------------------------------------------------------------------

StepArrows::StepArrows(int low, int high, int step, QWidget* parent)
    : QWidget(parent),
      low_(low),
      high_(high),
      step_(step),
      value_(low),
      up_(new QToolButton(this)),
      down_(new QToolButton(this)) {
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {up_, down_}) {
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setFixedSize(18, 11);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(up_);
    layout->addWidget(down_);
    connect(up_, &QToolButton::clicked, this, [this] { StepBy(1); });
    connect(down_, &QToolButton::clicked, this, [this] { StepBy(-1); });
}

void StepArrows::SetValue(int value) {
    value_ = std::clamp(value, low_, high_);
}

void StepArrows::StepBy(int direction) {
    const int next = std::clamp(value_ + direction * step_, low_, high_);
    if (next == value_) return;
    value_ = next;
    emit Stepped(value_);
}

// ---- AdvancedDialog ----------------------------------------------------------------------

AdvancedDialog::AdvancedDialog(QWidget* parent, const QStringList& fonts)
    : QDialog(parent),
      cboFont_(new QComboBox(this)),
      txtMessage_(new QLineEdit(this)),
      chkResize_(new QCheckBox(tr("Window can be resized (EXE version only)"), this)),
      picHueFont_(new QWidget(this)),
      cmdDefaults_(new QPushButton(tr("&Defaults"), this)),
      cmdOK_(new QPushButton(tr("OK"), this)),
      cmdDismiss_(new QPushButton(tr("Cancel"), this)) {
    setModal(true);
    setWindowTitle(tr("Advanced Settings"));

    const auto& limits = AdvancedLimits();
    for (int i = 0; i < kAdvancedFields; ++i) {
        const AdvancedLimit& limit = limits[static_cast<size_t>(i)];
        auto* edit = new QLineEdit(this);
        edit->setMaxLength(5);
        edit->setFixedWidth(56);
        edit->setAlignment(Qt::AlignRight);
        edit->installEventFilter(this);
        txtAdv_[static_cast<size_t>(i)] = edit;
        auto* spin = new StepArrows(limit.low, limit.high, limit.step, this);
        spnAdv_[static_cast<size_t>(i)] = spin;
        connect(spin, &StepArrows::Stepped, this,
                [edit](int value) { edit->setText(QString::number(value)); });
        connect(edit, &QLineEdit::textChanged, this, [this, i] { FieldChanged(i); });
    }
    txtMessage_->installEventFilter(this);
    if (const SettingDef* message = FindSetting("LockMessage");
        message != nullptr && message->maxLength > 0) {
        txtMessage_->setMaxLength(message->maxLength);
    }

    cboFont_->addItems(fonts.isEmpty() ? QFontDatabase::families() : fonts);
    connect(cboFont_, &QComboBox::currentIndexChanged, this, [this] {
        QFont font = txtMessage_->font();
        font.setFamily(cboFont_->currentText());
        txtMessage_->setFont(font);
    });

    picHueFont_->setFixedSize(40, 20);
    picHueFont_->setAutoFillBackground(true);
    // The message is shown on black, as the saver shows it.
    QPalette messagePalette = txtMessage_->palette();
    messagePalette.setColor(QPalette::Base, Qt::black);
    txtMessage_->setPalette(messagePalette);

    // Frame delay.
    auto* fraDelay = new QGroupBox(tr("Frame Delay for Animation Smoothing"), this);
    auto* delayRow = new QHBoxLayout(fraDelay);
    auto* lblAdv = new QLabel(tr("Delay in Milliseconds (0 - 999):"), fraDelay);
    lblAdv->setBuddy(txtAdv_[0]);
    delayRow->addWidget(lblAdv);
    delayRow->addStretch(1);
    delayRow->addWidget(txtAdv_[0]);
    delayRow->addWidget(spnAdv_[0]);

    // Message.
    auto* fraMessage = new QGroupBox(tr("Message"), this);
    auto* grid = new QGridLayout(fraMessage);
    auto addLabel = [&](const QString& text, QWidget* buddy, int row) {
        auto* label = new QLabel(text, fraMessage);
        label->setBuddy(buddy);
        grid->addWidget(label, row, 0);
    };
    addLabel(tr("Text:"), txtMessage_, 0);
    grid->addWidget(txtMessage_, 0, 1, 1, 4);
    addLabel(tr("Font:"), cboFont_, 1);
    grid->addWidget(cboFont_, 1, 1, 1, 4);
    addLabel(tr("Size:"), txtAdv_[1], 2);
    grid->addWidget(txtAdv_[1], 2, 1);
    grid->addWidget(spnAdv_[1], 2, 2);
    addLabel(tr("Hue (0 - 359):"), txtAdv_[2], 3);
    grid->addWidget(txtAdv_[2], 3, 1);
    grid->addWidget(spnAdv_[2], 3, 2);
    grid->addWidget(picHueFont_, 3, 3);
    grid->setColumnStretch(4, 1);

    // Display.
    auto* fraResize = new QGroupBox(tr("Display Properties"), this);
    auto* resizeRow = new QVBoxLayout(fraResize);
    resizeRow->addWidget(chkResize_);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdDefaults_);
    buttons->addStretch(1);
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdDismiss_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fraDelay);
    layout->addWidget(fraMessage);
    layout->addWidget(fraResize);
    layout->addLayout(buttons);

    cmdOK_->setDefault(true);
    connect(cmdOK_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdDismiss_, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdDefaults_, &QPushButton::clicked, this, &AdvancedDialog::RestoreDefaults);

    ShowTexts(
        AdvancedTexts{QString::fromUtf8(limits[0].defaultText.data(), limits[0].defaultText.size()),
                      QString::fromLatin1(kDefaultFontName),
                      QString::fromUtf8(limits[1].defaultText.data(), limits[1].defaultText.size()),
                      QString::fromUtf8(limits[2].defaultText.data(), limits[2].defaultText.size()), false},
        QString());
}

void AdvancedDialog::LoadAdvancedDialog(SettingsStore& store, const QString& message) {
    const auto& limits = AdvancedLimits();
    auto read = [&](const char* key, std::string_view fallback) {
        return FromStd(RegReadText(store, kAdvancedSection, key, fallback));
    };
    AdvancedTexts texts;
    texts.delay = read("Adv_TimeDelay", limits[0].defaultText);
    texts.fontSize = read("Adv_FontSize", limits[1].defaultText);
    texts.hue = read("Adv_FontHueV", limits[2].defaultText);
    texts.fontName = read("Adv_FontName", kDefaultFontName);
    texts.resize = read("Adv_WinResize", "0") == QLatin1String("1");
    ShowTexts(texts, message);
}

void AdvancedDialog::SaveAdvancedDialog(SettingsStore& store) {
    const AdvancedTexts texts = Texts();
    StoreBatch batch(store);
    RegWriteText(store, kAdvancedSection, "Adv_TimeDelay", ToStd(texts.delay));
    RegWriteText(store, kAdvancedSection, "Adv_FontName", ToStd(texts.fontName));
    RegWriteText(store, kAdvancedSection, "Adv_FontSize", ToStd(texts.fontSize));
    RegWriteText(store, kAdvancedSection, "Adv_FontHueV", ToStd(texts.hue));
    RegWriteText(store, kAdvancedSection, "Adv_WinResize", std::string_view(texts.resize ? "1" : "0"));
    batch.Commit();
}

void AdvancedDialog::ShowTexts(const AdvancedTexts& texts, const QString& message) {
    txtAdv_[0]->setText(texts.delay);
    txtAdv_[1]->setText(texts.fontSize);
    txtAdv_[2]->setText(texts.hue);
    SelectFont(texts.fontName);
    txtMessage_->setText(message);
    chkResize_->setChecked(texts.resize);
}

AdvancedTexts AdvancedDialog::Texts() const {
    return AdvancedTexts{txtAdv_[0]->text(), cboFont_->currentText(), txtAdv_[1]->text(), txtAdv_[2]->text(),
                         chkResize_->isChecked()};
}

QString AdvancedDialog::MessageText() const {
    return txtMessage_->text();
}

void AdvancedDialog::RestoreDefaults() {
    const auto& limits = AdvancedLimits();
    for (size_t i = 0; i < limits.size(); ++i) {
        txtAdv_[i]->setText(QString::fromUtf8(limits[i].defaultText.data(), limits[i].defaultText.size()));
    }
    SelectFont(QString::fromLatin1(kDefaultFontName));
    txtMessage_->clear();
    chkResize_->setChecked(false);
}

void AdvancedDialog::SelectFont(const QString& name) {
    const int index = cboFont_->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
    cboFont_->setCurrentIndex(index >= 0 ? index : (cboFont_->count() > 0 ? 0 : -1));
}

void AdvancedDialog::FieldChanged(int index) {
    const QString text = txtAdv_[static_cast<size_t>(index)]->text();
    int16_t value = 0;
    if (TryRoundToInt16(LeadingNumber(ToStd(text)), value))
        spnAdv_[static_cast<size_t>(index)]->SetValue(value);
    if (index == kHueField) ShowHue(text);
}

void AdvancedDialog::ShowHue(const QString& text) {
    // An empty field reads as hue 0; a number too large for a hue keeps the last colour.
    int16_t hue = 0;
    if (!TryRoundToInt16(LeadingNumber(ToStd(QStringLiteral("0") + text)), hue)) return;
    const QColor colour = ColourOf(HueColor(hue));
    QPalette swatch = picHueFont_->palette();
    swatch.setColor(QPalette::Window, colour);
    picHueFont_->setPalette(swatch);
    QPalette message = txtMessage_->palette();
    message.setColor(QPalette::Text, colour);
    txtMessage_->setPalette(message);
}

int AdvancedDialog::FieldIndex(QObject* object) const {
    for (int i = 0; i < kAdvancedFields; ++i) {
        if (txtAdv_[static_cast<size_t>(i)] == object) return i;
    }
    return -1;
}

bool AdvancedDialog::eventFilter(QObject* watched, QEvent* event) {
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (edit == nullptr) return QDialog::eventFilter(watched, event);
    const int index = FieldIndex(watched);

    if (event->type() == QEvent::FocusIn && !edit->isReadOnly()) {
        // After a click has placed the cursor, so the whole text ends selected.
        QTimer::singleShot(0, edit, &QLineEdit::selectAll);
    }
    if (index < 0) return QDialog::eventFilter(watched, event);
    const AdvancedLimit& limit = AdvancedLimits()[static_cast<size_t>(index)];

    if (event->type() == QEvent::FocusOut) {
        const std::string normal = NormaliseNumberText(ToStd(edit->text()), 0, limit.low, limit.high);
        const QString text = QString::fromStdString(normal);
        if (text != edit->text()) edit->setText(text);
    } else if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
            const int direction = key->key() == Qt::Key_Up ? 1 : -1;
            edit->setText(QString::number(SteppedFieldValue(edit->text(), limit, direction)));
            return true;
        }
        // Only typed characters go through the filter; editing and navigation keys, and
        // shortcuts, keep their usual meaning.
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
        int code = 0;
        if (key->key() == Qt::Key_Backspace) {
            code = kBackspaceKey;
        } else if (!key->text().isEmpty() && key->text().front().isPrint()) {
            code = key->text().front().unicode();
        } else {
            return false;
        }
        const KeyFilterResult filtered = DigitKeyFilter(code);
        if (filtered.beep) Beep();
        if (filtered.key == 0) return true;
    }
    return QDialog::eventFilter(watched, event);
}

bool ShowAdvancedDialog(QWidget* parent, SettingsStore& store, QString& message) {
    AdvancedDialog dialog(parent);
    dialog.LoadAdvancedDialog(store, message);
    if (dialog.exec() != QDialog::Accepted) return false;
    dialog.SaveAdvancedDialog(store);
    message = dialog.MessageText();
    return true;
}

}  // namespace astrelle
