// FrmAdvanced: the layout of the advanced settings dialog and its wiring to the logic.
#include "ui/qt/advanced_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/qt/field_edit.h"
#include "ui/qt/spin_control.h"

namespace astrelle {

namespace {

constexpr std::string_view kNumberKeys[] = {"Adv_TimeDelay", "Adv_FontSize", "Adv_FontHueV"};
constexpr int kNumberWidth = 56;
constexpr int kNumberLength = 5;
constexpr QSize kSwatchSize(40, 20);

}  // namespace

FrmAdvanced::FrmAdvanced(SettingsStore& store, QWidget* parent, const QStringList& fonts)
    : QDialog(parent),
      QtView<AdvancedView>(this),
      fonts_(fonts.isEmpty() ? QFontDatabase::families() : fonts) {
    setModal(true);
    setWindowTitle(tr("Advanced Settings"));
    // Created in this order, which is the order the keyboard visits them.
    auto* font = new QComboBox(this);
    auto* message = new FieldEdit(this);
    auto* resize = new QCheckBox(tr("Window can be resized (EXE version only)"), this);
    auto* swatch = new QWidget(this);
    auto* defaults = new QPushButton(tr("&Defaults"), this);
    auto* ok = new QPushButton(tr("OK"), this);
    auto* dismiss = new QPushButton(tr("Cancel"), this);
    for (const auto& [key, widget] : {std::pair<std::string_view, QWidget*>{"Adv_FontName", font},
                                      {"LockMessage", message},
                                      {"Adv_WinResize", resize}}) {
        widget->setObjectName(ToQt(key));
        controls_.Add(Field(key), widget);
    }
    controls_.Add(Own(ControlId::FontHueSample), swatch);
    controls_.Add(Own(ControlId::DefaultsButton), defaults);
    controls_.Add(Own(ControlId::OkButton), ok);
    controls_.Add(Own(ControlId::DismissButton), dismiss);

    FieldEdit* numbers[std::size(kNumberKeys)];
    SpinControl* spins[std::size(kNumberKeys)];
    for (size_t i = 0; i < std::size(kNumberKeys); ++i) {
        const FieldRow& row = *FindRow(AdvancedDialog::Rows(), kNumberKeys[i]);
        auto* edit = new FieldEdit(this);
        edit->setObjectName(ToQt(row.key));
        edit->setMaxLength(kNumberLength);
        edit->setFixedWidth(kNumberWidth);
        edit->setAlignment(Qt::AlignRight);
        controls_.Add(Field(row.key), edit);
        const SpinRange range = SpinnerOf(row);
        spins[i] = new SpinControl(range.low, range.high, range.step, this);
        LinkSpinToField(spins[i], edit);
        numbers[i] = edit;
    }
    if (const int length = MaxLengthOf(*FindRow(AdvancedDialog::Rows(), "LockMessage")); length > 0) {
        message->setMaxLength(length);
    }

    swatch->setFixedSize(kSwatchSize);
    swatch->setAutoFillBackground(true);
    // The message is shown on black, as the saver shows it.
    QPalette messagePalette = message->palette();
    messagePalette.setColor(QPalette::Base, Qt::black);
    message->setPalette(messagePalette);

    auto* fraDelay = new QGroupBox(tr("Frame Delay for Animation Smoothing"), this);
    auto* delayRow = new QHBoxLayout(fraDelay);
    auto* lblAdv = new QLabel(tr("Delay in Milliseconds (0 - 999):"), fraDelay);
    lblAdv->setBuddy(numbers[0]);
    delayRow->addWidget(lblAdv);
    delayRow->addStretch(1);
    delayRow->addWidget(numbers[0]);
    delayRow->addWidget(spins[0]);

    auto* fraMessage = new QGroupBox(tr("Message"), this);
    auto* grid = new QGridLayout(fraMessage);
    auto addLabel = [&](const QString& text, QWidget* buddy, int row) {
        auto* label = new QLabel(text, fraMessage);
        label->setBuddy(buddy);
        grid->addWidget(label, row, 0);
    };
    addLabel(tr("Text:"), message, 0);
    grid->addWidget(message, 0, 1, 1, 4);
    addLabel(tr("Font:"), font, 1);
    grid->addWidget(font, 1, 1, 1, 4);
    addLabel(tr("Size:"), numbers[1], 2);
    grid->addWidget(numbers[1], 2, 1);
    grid->addWidget(spins[1], 2, 2);
    addLabel(tr("Hue (0 - 359):"), numbers[2], 3);
    grid->addWidget(numbers[2], 3, 1);
    grid->addWidget(spins[2], 3, 2);
    grid->addWidget(swatch, 3, 3);
    grid->setColumnStretch(4, 1);

    auto* fraResize = new QGroupBox(tr("Display Properties"), this);
    auto* resizeRow = new QVBoxLayout(fraResize);
    resizeRow->addWidget(resize);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(defaults);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(dismiss);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fraDelay);
    layout->addWidget(fraMessage);
    layout->addWidget(fraResize);
    layout->addLayout(buttons);
    ok->setDefault(true);

    logic_ = std::make_unique<AdvancedDialog>(*this, store);
    controls_.Report(*logic_);
}

FrmAdvanced::~FrmAdvanced() = default;

void FrmAdvanced::Load(const QString& message) {
    logic_->Load(FromQt(message));
}

std::vector<std::string> FrmAdvanced::FontNames() const {
    std::vector<std::string> names;
    for (const QString& name : fonts_) names.push_back(FromQt(name));
    return names;
}

void FrmAdvanced::SetFont(const Control& control, std::string_view family) {
    QWidget* widget = controls_.Widget(control);
    if (widget == nullptr) return;
    QFont font = widget->font();
    font.setFamily(ToQt(family));
    widget->setFont(font);
}

void FrmAdvanced::Close(DialogResult result) {
    QDialog::done(result == DialogResult::Accepted ? QDialog::Accepted : QDialog::Rejected);
}

bool ShowAdvancedDialog(QWidget* parent, SettingsStore& store, QString& message) {
    FrmAdvanced dialog(store, parent);
    dialog.Load(message);
    if (dialog.exec() != QDialog::Accepted) return false;
    message = ToQt(dialog.Logic().Message());
    return true;
}

}  // namespace astrelle
