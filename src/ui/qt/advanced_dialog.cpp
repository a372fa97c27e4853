// The advanced settings dialog: layout, the number fields (the dialogs' shared field and
// spinner, set up from the limits table), the message preview in the chosen font and hue,
// and loading and storing the "Advanced" values.
#include "ui/qt/advanced_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "engine/colour.h"
#include "settings/registry_store.h"
#include "settings/rounding.h"
#include "settings/settings_model.h"
#include "settings/settings_store.h"
#include "settings/value_utils.h"
#include "ui/qt/field_edit.h"
#include "ui/qt/packed_colour.h"
#include "ui/qt/spin_control.h"

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

AdvancedDialog::AdvancedDialog(QWidget* parent, const QStringList& fonts)
    : QDialog(parent),
      cboFont_(new QComboBox(this)),
      txtMessage_(new FieldEdit(this)),
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
        auto* edit = new FieldEdit(this);
        edit->setMaxLength(5);
        edit->setFixedWidth(56);
        edit->setAlignment(Qt::AlignRight);
        edit->SetCheck(
            FieldCheck{FieldKind::Int16, static_cast<double>(limit.low), static_cast<double>(limit.high)});
        edit->SetKeyFilter(KeyFilterKind::Digits);
        edit->SetArrowStep(ArrowStep{limit.step, limit.low, limit.high});
        txtAdv_[static_cast<size_t>(i)] = edit;
        auto* spin = new SpinControl(limit.low, limit.high, limit.step, this);
        spnAdv_[static_cast<size_t>(i)] = spin;
        LinkSpinToField(spin, edit);
    }
    connect(txtAdv_[kHueField], &QLineEdit::textChanged, this, &AdvancedDialog::ShowHue);
    if (const SettingDef* message = FindSetting("LockMessage");
        message != nullptr && message->maxLength > 0) {
        txtMessage_->setMaxLength(message->maxLength);
    }

    // Connected before the list is filled: filling selects entry 0, and a load that keeps
    // entry 0 changes nothing more, so the sample must follow that first selection.
    connect(cboFont_, &QComboBox::currentIndexChanged, this, [this] {
        QFont font = txtMessage_->font();
        font.setFamily(cboFont_->currentText());
        txtMessage_->setFont(font);
    });
    cboFont_->addItems(fonts.isEmpty() ? QFontDatabase::families() : fonts);

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

void AdvancedDialog::ShowHue(const QString& text) {
    // An empty field reads as hue 0; a number too large for a hue keeps the last colour.
    int16_t hue = 0;
    if (!TryRoundToInt16(LeadingNumber(ToStd(QStringLiteral("0") + text)), hue)) return;
    const QColor colour = ColourFromPacked(HueColor(hue));
    QPalette swatch = picHueFont_->palette();
    swatch.setColor(QPalette::Window, colour);
    picHueFont_->setPalette(swatch);
    QPalette message = txtMessage_->palette();
    message.setColor(QPalette::Text, colour);
    txtMessage_->setPalette(message);
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
