// FrmProps: what the dialog does. Opening and storing, the galaxy type and composite
// lists, themes, reset, copy to all, previews, templates, menus, help and the colour
// samples. Which control shows which setting, its range and its used-when-missing value
// come from the settings definitions; values reach the store only through the registry
// layer and templates only through the template operations of the settings library.
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QStackedWidget>
#include <QTimer>

#include <algorithm>
#include <cmath>

#include "engine/colour.h"
#include "engine/process_values.h"
#include "platform/profile_file.h"
#include "settings/factory_tables.h"
#include "settings/registry_store.h"
#include "settings/rounding.h"
#include "settings/settings_store.h"
#include "settings/template_files.h"
#include "settings/value_utils.h"
#include "ui/qt/colour_samples.h"
#include "ui/qt/field_edit.h"
#include "ui/qt/help.h"
#include "ui/qt/preview_runner.h"
#include "ui/qt/props_dialog.h"
#include "ui/qt/props_tables.h"
#include "ui/qt/props_text.h"
#include "ui/qt/spin_control.h"
#include "ui/qt/template_dialog.h"

namespace astrelle {

namespace pt = props_text;

namespace {

constexpr int kWeightColumnTwips = 2400;  // the weights of the name lines line up here
constexpr int kMinimumBlanks = 3;

QString Tr(const char* text) {
    return QString::fromUtf8(text);
}
QString Tr(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
std::string Std(const QString& text) {
    return text.toStdString();
}

QString TrimmedBlanks(const QString& text) {
    const std::string s = Std(text);
    return Tr(TrimBlanks(s));
}

// The number the colour samples and the previews read: the leading number of "0" + text,
// so a sign or a blank field reads as 0.
double NumberAfterZero(const QString& text) {
    return LeadingNumber("0" + Std(text));
}

int16_t HueOf(const QString& text) {
    return RoundToInt16Saturated(NumberAfterZero(text));
}

template <class T>
T Held(double value, T low, T high) {
    if (std::isnan(value)) return low;
    return static_cast<T>(std::clamp<double>(value, low, high));
}

bool IsGalaxyPageControl(const SettingDef& def) {
    return def.control == kTxtGalaxy || def.control == kTxtPixHue || def.control == "cboGalPlane" ||
           def.control == "cboGalColor" || def.control == "cboGalProfile";
}

}  // namespace

// ---- small helpers ------------------------------------------------------------------------

int FrmProps::SelectedRow(const QListWidget* list) const {
    const QListWidgetItem* item = list->currentItem();
    return item && item->isSelected() ? list->row(item) : -1;
}

void FrmProps::Message(const char* text, QWidget* focusAfter) {
    if (hooks_.message)
        hooks_.message(this, QMessageBox::Warning, Tr(text), QMessageBox::Ok, QMessageBox::Ok);
    if (focusAfter) focusAfter->setFocus(Qt::OtherFocusReason);
}

QString FrmProps::NameWeightLine(const QListWidget* list, const QString& name, int weight) const {
    // Blanks between name and weight bring the weight to about 2400 twips from the left
    // edge, measured in the list's own font, so the weights of all lines line up.
    const QFontMetrics metrics(list->font());
    const double twipsPerPixel = env_.process.TwipsPerPixelX > 0 ? env_.process.TwipsPerPixelX : 15;
    const double nameTwips = metrics.horizontalAdvance(name) * twipsPerPixel;
    // A run of blanks is measured, as single blanks have fractional widths in most fonts.
    constexpr int kMeasuredBlanks = 100;
    const double blankPixels = std::max(
        1.0, metrics.horizontalAdvance(QString(kMeasuredBlanks, QLatin1Char(' '))) / double(kMeasuredBlanks));
    const double blankTwips = blankPixels * twipsPerPixel;
    const int blanks = std::max<int>(
        kMinimumBlanks, static_cast<int>(RoundHalfEven((kWeightColumnTwips - nameTwips) / blankTwips)));
    return name + QString(blanks, QLatin1Char(' ')) + QString::number(weight);
}

QString FrmProps::NameOfLine(const QString& line) {
    return NameOfListLine(line);
}

QString FrmProps::WeightOfLine(const QString& line) {
    return WeightOfListLine(line);
}

// ---- opening ------------------------------------------------------------------------------

void FrmProps::Load() {
    // The hourglass shows until the pages are arranged, also if loading fails half-way.
    struct WaitCursor {
        WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
        ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    } waitCursor;
    c_.cboGalaxyTheme->setCurrentIndex(0);

    LoadAllGalaxyTypes(env_.store, env_.galaxyTypes);
    FillGalaxyList();
    c_.lstUniGalaxy->setCurrentRow(0);
    OnGalaxyLineChosen();

    FillTypeNameLists();
    FillCompositeListFromStore();

    // A store without the first-run marker holds no settings yet: start from the factory
    // settings and store them at once, so the saver finds them too.
    if (GetSettingInt16(env_.store, kSectionGeneral, "AnimationType", -1) == -1) {
        ResetToFactorySettings();
        StoreAllSettings();
    }

    LoadGeneralAndUniverse();
    LoadAllComposites(env_.store, env_.composites);
    FillCompositeListFromStore();

    c_.mainPages->setCurrentWidget(c_.fraUniverse);
    c_.cboUniExtras->setCurrentIndex(0);
    c_.fraUniProp->setCurrentIndex(0);
    c_.cboGalaxExtras->setCurrentIndex(0);
    c_.fraGalProp->setCurrentIndex(0);
    c_.cboGalaxyTheme->setCurrentIndex(0);
    UpdateTourControls();
    UpdateProfilePicture(true);
    UpdateProfilePicture(false);
    UpdateRampSample(true);
}

void FrmProps::LoadGeneralAndUniverse() {
    // The general fields show their stored text as it is ("1.0" stays "1.0").
    for (const SettingDef& def : SettingsOf(SettingGroup::General)) {
        if (auto* field = findChild<FieldEdit*>(Tr(def.control)); field && !def.control.empty()) {
            field->setText(Tr(GetSettingText(env_.store, def)));
        }
    }
    for (const SettingDef& def : SettingsOf(SettingGroup::Universe)) {
        const std::string missing(def.missingText);
        QString text;
        // The dialog reads the gravitational magnitude as a whole number.
        const ValueType readAs = def.key == "Universe_GravForce" ? ValueType::Int32 : def.storeReadAs;
        switch (readAs) {
            case ValueType::Int32:
                text = QString::number(
                    GetSettingInt32(env_.store, kSectionUniverse, def.key, ParseInt32Or(missing, 0)));
                break;
            case ValueType::Float: {
                const float value =
                    GetSettingFloat(env_.store, kSectionUniverse, def.key, ParseFloatOr(missing, 0));
                // An integer setting stored as text with a fraction shows its rounded value.
                text = def.type == ValueType::Float ? Tr(FloatToText(value))
                                                    : QString::number(RoundToInt32Saturated(value));
                break;
            }
            default: {
                const int16_t value =
                    GetSettingInt16(env_.store, kSectionUniverse, def.key, ParseInt16Or(missing, 0));
                text = def.type == ValueType::Flag ? QString::fromLatin1(value != 0 ? "1" : "0")
                                                   : QString::number(value);
                break;
            }
        }
        SetUniverseControl(def, text);
    }
}

void FrmProps::FillGalaxyList() {
    const QSignalBlocker blocker(c_.lstUniGalaxy);
    c_.lstUniGalaxy->clear();
    for (int i = 0; i < kGalaxyTypeCount; ++i) {
        const GalaxyTypeRecord& row = env_.galaxyTypes[static_cast<size_t>(i)];
        c_.lstUniGalaxy->addItem(NameWeightLine(c_.lstUniGalaxy, Tr(row.Name), row.Weight));
    }
}

void FrmProps::FillGalaxyListFromFactoryNames() {
    const QSignalBlocker blocker(c_.lstUniGalaxy);
    c_.lstUniGalaxy->clear();
    for (int i = 0; i < kGalaxyTypeCount; ++i) {
        c_.lstUniGalaxy->addItem(NameWeightLine(c_.lstUniGalaxy, Tr(GalaxyTypeName(i)), GalaxyTypeWeight(i)));
    }
}

void FrmProps::FillTypeNameLists() {
    // The major and minor lists show the galaxy type lines without their weights.
    const QSignalBlocker majorBlocker(c_.cboCompMajor);
    c_.cboCompMajor->clear();
    c_.lstCompMinor->clear();
    for (int i = 0; i < c_.lstUniGalaxy->count(); ++i) {
        const QString line = c_.lstUniGalaxy->item(i)->text();
        const QString name = line.left(std::max<qsizetype>(0, line.size() - kWeightChars));
        c_.cboCompMajor->addItem(name);
        c_.lstCompMinor->addItem(name);
    }
    c_.cboCompMajor->setCurrentIndex(-1);
}

void FrmProps::FillCompositeListFromTable() {
    const QSignalBlocker blocker(c_.lstCompGalaxy);
    c_.lstCompGalaxy->clear();
    for (int c = 0; c < kCompositeCount; ++c) {
        const CompositeRecord& row = env_.composites[static_cast<size_t>(c)];
        const QString name = row.Name.empty() ? Tr(CompositePlaceholderName(c)) : Tr(row.Name);
        c_.lstCompGalaxy->addItem(NameWeightLine(c_.lstCompGalaxy, name, row.Weight));
    }
}

void FrmProps::FillCompositeListFromStore() {
    const QSignalBlocker blocker(c_.lstCompGalaxy);
    c_.lstCompGalaxy->clear();
    for (int c = 0; c < kCompositeCount; ++c) {
        const std::string section = CompositeRegistrySection(c);
        const std::string name = GetSettingText(env_.store, section, "_CompGalName", "");
        const int16_t weight = GetSettingInt16(env_.store, section, "_CompGalPct", 0);
        const QString shown = name.empty() ? Tr(CompositePlaceholderName(c)) : Tr(name);
        c_.lstCompGalaxy->addItem(NameWeightLine(c_.lstCompGalaxy, shown, weight));
    }
}

// ---- universe controls --------------------------------------------------------------------

void FrmProps::SetUniverseControl(const SettingDef& def, const QString& text) {
    if (def.control == kTxtUni) {
        if (FieldEdit* field = c_.txtUni.count(def.controlIndex) ? c_.txtUni.at(def.controlIndex) : nullptr) {
            field->setText(text);
        }
    } else if (def.control == "cboUniProfile") {
        const int16_t index = HoldInt16(def, RoundToInt16Saturated(LeadingNumber(Std(text))));
        c_.cboUniProfile->setCurrentIndex(index);
    } else if (auto* check = findChild<QCheckBox*>(Tr(def.control))) {
        check->setChecked(TrimmedBlanks(text) == QLatin1String("1"));
    }
}

QString FrmProps::UniverseControlText(const SettingDef& def) const {
    if (def.control == kTxtUni) {
        const auto it = c_.txtUni.find(def.controlIndex);
        return it != c_.txtUni.end() ? it->second->text() : QString();
    }
    if (def.control == "cboUniProfile") return QString::number(c_.cboUniProfile->currentIndex());
    if (auto* check = findChild<QCheckBox*>(Tr(def.control))) {
        return QString::fromLatin1(check->isChecked() ? "1" : "0");
    }
    return {};
}

void FrmProps::ShowUniverseSubPage(int index) {
    c_.fraUniProp->setCurrentIndex(index);
    FillTypeNameLists();
    FillCompositeListFromTable();
}

void FrmProps::UpdateTourControls() {
    const bool touring = c_.chkUniTour->isChecked();
    for (QWidget* widget : c_.tourControls) widget->setEnabled(touring);
}

// ---- storing ------------------------------------------------------------------------------

void FrmProps::StoreAllSettings() {
    StoreBatch batch(env_.store);
    RegWriteText(env_.store, kSectionGeneral, "AnimationType", "0");
    RegWriteText(env_.store, kSectionGeneral, "PixelSize", Std(TrimmedBlanks(c_.txtPixelSize->text())));
    RegWriteText(env_.store, kSectionGeneral, "FocalLength", Std(TrimmedBlanks(c_.txtFocalLen->text())));
    RegWriteText(env_.store, kSectionGeneral, "LockMessage", Std(TrimmedBlanks(c_.txtMessage->text())));
    for (const SettingDef& def : SettingsOf(SettingGroup::Universe)) {
        const QString text = UniverseControlText(def);
        std::string value;
        if (def.control == kTxtUni) {
            value = FloatToText(static_cast<float>(LeadingNumber(Std(text))));
        } else {
            value = Std(text);  // check boxes as 0 or 1, the profile as its list index
        }
        RegWriteText(env_.store, kSectionUniverse, def.key, value);
    }
    SaveAllGalaxyTypes(env_.store, env_.galaxyTypes);
    SaveAllComposites(env_.store, env_.composites);
    batch.Commit();
}

void FrmProps::AcceptSettings() {
    if (galaxyEditMode_) {
        ReturnToUniverse();
        return;
    }
    StoreAllSettings();
    accept();
}

void FrmProps::reject() {
    // While a preview runs, Cancel (the Escape key) is the Stop button.
    if (previewRunning_) {
        env_.process.PreviewStopRequested = kTrue16;
        return;
    }
    QDialog::reject();
}

void FrmProps::closeEvent(QCloseEvent* event) {
    if (previewRunning_) {
        // The preview loop runs inside the button handler: let it finish, then close.
        env_.process.PreviewStopRequested = kTrue16;
        closeAfterPreview_ = true;
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

// ---- reset and themes ---------------------------------------------------------------------

void FrmProps::ResetToFactorySettings() {
    c_.txtPixelSize->setText(QStringLiteral("1"));
    c_.txtFocalLen->setText(QStringLiteral("1.0"));
    c_.txtMessage->clear();
    {
        StoreBatch batch(env_.store);
        for (const SettingDef& def : SettingsOf(SettingGroup::Advanced)) {
            RegWriteText(env_.store, kSectionAdvanced, def.key, def.missingText);
        }
        batch.Commit();
    }
    LoadFactoryComposites(env_.composites);
    FillGalaxyListFromFactoryNames();
    c_.cboUniTheme->setCurrentIndex(0);
    ApplyUniverseTheme(0);
    c_.cboUniTheme->setCurrentIndex(1);
    ApplyUniverseTheme(1);
    c_.cboUniExtras->setCurrentIndex(0);
    ShowUniverseSubPage(0);
}

void FrmProps::AskAndReset() {
    const QMessageBox::StandardButton answer =
        hooks_.message ? hooks_.message(this, QMessageBox::Question, Tr(pt::kResetQuestion),
                                        QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
                       : QMessageBox::No;
    if (answer == QMessageBox::Yes) ResetToFactorySettings();
}

void FrmProps::ApplyUniverseTheme(int k) {
    if (k < 1 || k > kUniverseThemeCount) return;
    const std::string row = UniverseThemeRow(k);
    for (int column = 0; column < kUniverseThemeColumns; ++column) {
        if (const SettingDef* def = UniverseThemeSetting(column))
            SetUniverseControl(*def, Tr(FieldAt(row, column)));
    }
    // A universe theme brings the factory galaxy types with it, stored at once.
    LoadFactoryGalaxyTypes(env_.galaxyTypes);
    SaveAllGalaxyTypes(env_.store, env_.galaxyTypes);
    FillGalaxyList();
    c_.lstUniGalaxy->setCurrentRow(0);
    OnGalaxyLineChosen();
    c_.lstCompGalaxy->scrollToTop();
    c_.lstCompGalaxy->clearSelection();
    c_.lstCompGalaxy->setCurrentItem(nullptr);
}

void FrmProps::ApplyGalaxyTheme(int k) {
    if (k < 1 || k > kGalaxyTypeCount) return;
    const std::string row = GalaxyFactoryRow(k);
    for (int column = 0; column < kGalaxyFactoryColumns; ++column) {
        if (const SettingDef* def = GalaxyFactoryColumn(column))
            SetGalaxyControl(*def, Tr(FieldAt(row, column)));
    }
}

// ---- galaxy types -------------------------------------------------------------------------

void FrmProps::OnGalaxyLineChosen() {
    const int row = SelectedRow(c_.lstUniGalaxy);
    if (row < 0) return;
    const QString line = c_.lstUniGalaxy->item(row)->text();
    c_.txtUniGalName->setText(NameOfLine(line));
    c_.txtUniGalPct->setText(WeightOfLine(line));
}

void FrmProps::CommitGalaxyType() {
    const int row = SelectedRow(c_.lstUniGalaxy);
    if (row < 0) return;
    const FieldCheck check{FieldKind::Int16, 0, 999};
    c_.txtUniGalPct->setText(Tr(NormaliseNumberText(Std(c_.txtUniGalPct->text()),
                                                    static_cast<int>(check.kind), check.low, check.high)));
    GalaxyTypeRecord& record = env_.galaxyTypes[static_cast<size_t>(row)];
    record.Weight = RoundToInt16Saturated(LeadingNumber(Std(c_.txtUniGalPct->text())));
    record.Name = Std(TrimmedBlanks(c_.txtUniGalName->text()));
    c_.lstUniGalaxy->item(row)->setText(NameWeightLine(c_.lstUniGalaxy, Tr(record.Name), record.Weight));
}

void FrmProps::ShowGalaxyProperties() {
    const int row = SelectedRow(c_.lstUniGalaxy);
    if (row < 0) {
        Message(pt::kSelectGalaxyProfile, c_.lstUniGalaxy);
        return;
    }
    editedRow_ = row;
    CopyRowToGalaxyFields(row);
    c_.cboGalaxyTheme->setCurrentIndex(0);  // the fields are the type's own, no theme's
    galaxyEditMode_ = true;
    const QString name = TrimmedBlanks(Tr(env_.galaxyTypes[static_cast<size_t>(row)].Name));
    c_.fraGalaxy->setTitle(Tr(pt::kGalaxyPageEditingPrefix) + name);
    c_.mainPages->setCurrentWidget(c_.fraGalaxy);
    c_.cmdAccept->setText(Tr(pt::kReturnToUniverse));
}

void FrmProps::ReturnToUniverse() {
    // The fields go back to the type that was opened, even if another line has been
    // selected meanwhile: the list selection must not redirect an edit to another type.
    if (editedRow_ >= 0 && editedRow_ < kGalaxyTypeCount) CopyGalaxyFieldsToRow(editedRow_);
    galaxyEditMode_ = false;
    editedRow_ = -1;
    c_.mainPages->setCurrentWidget(c_.fraUniverse);
    c_.cmdAccept->setText(Tr(pt::kAccept));
    c_.fraGalaxy->setTitle(Tr(pt::kGalaxyPage));
    c_.lstUniGalaxy->setFocus(Qt::OtherFocusReason);
}

void FrmProps::SetGalaxyControl(const SettingDef& def, const QString& text) {
    if (def.control == kTxtGalaxy) {
        const auto it = c_.txtGalaxy.find(def.controlIndex);
        if (it != c_.txtGalaxy.end()) it->second->setText(text);
    } else if (def.control == kTxtPixHue) {
        if (def.controlIndex >= 0 && def.controlIndex < static_cast<int>(c_.txtPixHue.size())) {
            c_.txtPixHue[static_cast<size_t>(def.controlIndex)]->setText(text);
        }
    } else if (auto* combo = findChild<QComboBox*>(Tr(def.control))) {
        combo->setCurrentIndex(HoldInt16(def, RoundToInt16Saturated(LeadingNumber(Std(text)))));
    }
}

void FrmProps::CopyRowToGalaxyFields(int row) {
    const GalaxyTypeRecord& record = env_.galaxyTypes[static_cast<size_t>(row)];
    for (const SettingDef& def : SettingsOf(SettingGroup::GalaxyRow)) {
        if (IsGalaxyPageControl(def)) SetGalaxyControl(def, Tr(FieldText(record, def)));
    }
}

void FrmProps::CopyGalaxyFieldsToRow(int row) {
    GalaxyTypeRecord& record = env_.galaxyTypes[static_cast<size_t>(row)];
    for (const SettingDef& def : SettingsOf(SettingGroup::GalaxyRow)) {
        if (!IsGalaxyPageControl(def)) continue;
        double value = 0;
        if (def.control == kTxtGalaxy) {
            value = LeadingNumber(Std(c_.txtGalaxy.at(def.controlIndex)->text()));
        } else if (def.control == kTxtPixHue) {
            value = LeadingNumber(Std(c_.txtPixHue[static_cast<size_t>(def.controlIndex)]->text()));
        } else if (auto* combo = findChild<QComboBox*>(Tr(def.control))) {
            value = combo->currentIndex();
        }
        if (int16_t* field = Int16Field(record, def)) {
            *field = RoundToInt16Saturated(value);
        } else if (float* fieldF = FloatField(record, def)) {
            *fieldF = static_cast<float>(value);
        }
    }
}

// ---- composites ---------------------------------------------------------------------------

void FrmProps::SelectComposite(int row) {
    if (row < 0 || row >= kCompositeCount || row >= c_.lstCompGalaxy->count()) return;
    const QString line = c_.lstCompGalaxy->item(row)->text();
    c_.txtCompGalName->setText(NameOfLine(line));
    c_.txtCompGalPct->setText(WeightOfLine(line));
    c_.cboCompMajor->setCurrentIndex(-1);
    c_.lstCompMinor->clearSelection();
    c_.lstCompMinor->scrollToTop();
    const CompositeRecord& record = env_.composites[static_cast<size_t>(row)];
    const int count = std::min<int>(record.Count, kCompositeMembers);
    if (count <= 0) return;
    const int major = record.Members[0];
    if (major >= 0 && major < c_.cboCompMajor->count()) c_.cboCompMajor->setCurrentIndex(major);
    for (int j = 1; j < count; ++j) {
        const int member = record.Members[static_cast<size_t>(j)];
        if (member >= 0 && member < c_.lstCompMinor->count())
            c_.lstCompMinor->item(member)->setSelected(true);
    }
}

void FrmProps::CommitComposite() {
    const int row = SelectedRow(c_.lstCompGalaxy);
    if (row < 0) return;
    const int major = c_.cboCompMajor->currentIndex();
    if (major < 0) {
        Message(pt::kSelectMajorType, c_.cboCompMajor);
        return;
    }
    c_.txtCompGalPct->setText(
        Tr(NormaliseNumberText(Std(c_.txtCompGalPct->text()), static_cast<int>(FieldKind::Int16), 0, 999)));
    CompositeRecord& record = env_.composites[static_cast<size_t>(row)];
    record.Weight = RoundToInt16Saturated(LeadingNumber(Std(c_.txtCompGalPct->text())));
    record.Name = Std(TrimmedBlanks(c_.txtCompGalName->text()));
    record.Members[0] = static_cast<int16_t>(major);
    const QString shown = record.Name.empty() ? Tr(CompositePlaceholderName(row)) : Tr(record.Name);
    c_.lstCompGalaxy->item(row)->setText(NameWeightLine(c_.lstCompGalaxy, shown, record.Weight));
    int members = 1;
    for (int t = 0; t < kGalaxyTypeCount && t < c_.lstCompMinor->count(); ++t) {
        if (t == major || !c_.lstCompMinor->item(t)->isSelected()) continue;
        record.Members[static_cast<size_t>(members++)] = static_cast<int16_t>(t);
    }
    record.Count = static_cast<int16_t>(members);
}

// ---- copy to all --------------------------------------------------------------------------

void FrmProps::OnCopyEntryChosen(int entry) {
    if (entry < 0 || entry >= static_cast<int>(kCopyProperties.size())) {
        c_.txtPropCopy->ClearCheck();
        c_.txtPropCopy->SetKeyFilter(KeyFilterKind::Digits);
        return;
    }
    const CopySpec& copy = kCopyProperties[static_cast<size_t>(entry)];
    c_.txtPropCopy->SetCheck({copy.kind, copy.low, copy.high});
    c_.txtPropCopy->SetKeyFilter(copy.filter);
}

void FrmProps::CopyToAllTypes() {
    const int entry = c_.cboPropCopy->currentIndex();
    if (entry < 0 || entry >= static_cast<int>(kCopyProperties.size())) {
        Message(pt::kSelectProperty, c_.cboPropCopy);
        return;
    }
    const QString text = c_.txtPropCopy->text();
    if (TrimmedBlanks(text).isEmpty()) {
        Message(pt::kEnterPropertyValue, c_.txtPropCopy);
        return;
    }
    const SettingDef* def = FindSetting(kCopyProperties[static_cast<size_t>(entry)].key);
    if (!def) return;
    // No range step here: the values are held to their ranges when the types are saved.
    const double value = LeadingNumber(Std(text));
    for (int row = 0; row < kGalaxyTypeCount; ++row) {
        GalaxyTypeRecord& record = env_.galaxyTypes[static_cast<size_t>(row)];
        if (int16_t* field = Int16Field(record, *def)) {
            *field = RoundToInt16Saturated(value);
        } else if (float* fieldF = FloatField(record, *def)) {
            *fieldF = static_cast<float>(value);
        }
    }
    SetGalaxyControl(*def, Tr(FieldText(env_.galaxyTypes[0], *def)));
    preview_->RebuildColourTables();
}

// ---- previews -----------------------------------------------------------------------------

void FrmProps::SetPreviewControlsEnabled(QWidget* keep, bool enabled) {
    if (enabled) {
        for (QWidget* widget : disabledForPreview_) widget->setEnabled(true);
        disabledForPreview_.clear();
        for (QAction* action : menuActions_) action->setEnabled(true);
        helpKey_->setEnabled(true);
        return;
    }
    // Disable whole branches that do not hold the kept button and walk down into the ones
    // that do. Controls that were already disabled on purpose are left alone, so enabling
    // afterwards restores exactly what was there.
    std::vector<QWidget*> branches = {this};
    while (!branches.empty()) {
        QWidget* branch = branches.back();
        branches.pop_back();
        for (QObject* child : branch->children()) {
            auto* widget = qobject_cast<QWidget*>(child);
            if (!widget || widget->isWindow() || widget == keep) continue;
            if (widget->isAncestorOf(keep)) {
                branches.push_back(widget);
            } else if (!widget->testAttribute(Qt::WA_ForceDisabled)) {
                widget->setEnabled(false);
                disabledForPreview_.push_back(widget);
            }
        }
    }
    for (QAction* action : menuActions_) action->setEnabled(false);
    helpKey_->setEnabled(false);
}

void FrmProps::TogglePreview(bool galaxyType) {
    QPushButton* button = galaxyType ? c_.cmdGalPreview : c_.cmdCompPreview;
    if (previewRunning_) {
        env_.process.PreviewStopRequested = kTrue16;  // the button reads "Stop"
        return;
    }
    QListWidget* list = galaxyType ? c_.lstUniGalaxy : c_.lstCompGalaxy;
    const int row = SelectedRow(list);
    if (row < 0) {
        Message(galaxyType ? pt::kSelectGalaxyType : pt::kSelectCompositeType, list);
        return;
    }

    PreviewRequest request;
    request.params.subject = galaxyType ? PreviewSubject::GalaxyType : PreviewSubject::CompositeType;
    request.params.typeIndex = static_cast<int16_t>(row);
    const auto number = [](const FieldEdit* field) { return LeadingNumber(Std(field->text())); };
    request.pixelSize = Held<int16_t>(RoundHalfEven(number(c_.txtPixelSize)), 1, 9);
    request.focalLength = Held<float>(number(c_.txtFocalLen), 0.01f, 9999.0f);
    request.hueStart = Held<int16_t>(RoundHalfEven(number(c_.txtUni.at(16))), 0, 999);
    request.hueEnd = Held<int16_t>(RoundHalfEven(number(c_.txtUni.at(17))), 0, 999);
    PreviewInput input;
    input.stars = number(c_.txtUni.at(0));
    input.trail = number(c_.txtUni.at(2));
    input.ambientCount = number(c_.txtUni.at(40));
    input.ambientPersistence = number(c_.txtUni.at(41));
    input.ambientAgeStep = number(c_.txtUni.at(42));
    input.flareFrames = number(c_.txtUni.at(43));
    input.extension = number(c_.txtUni.at(44));
    input.symmetry = number(c_.txtUni.at(13));
    HoldToPreviewLimits(input, request.params);
    const SettingDef* delay = FindSetting("Adv_TimeDelay");
    request.frameDelayMs = HoldInt32(*delay, GetSettingInt32(env_.store, kSectionAdvanced, "Adv_TimeDelay",
                                                             ParseInt32Or(delay->missingText, 25)));

    const QString caption = button->text();
    previewRunning_ = true;
    env_.process.PreviewStopRequested = kFalse16;
    button->setText(Tr(pt::kStop));
    SetPreviewControlsEnabled(button, false);
    button->setFocus(Qt::OtherFocusReason);

    preview_->Run(request);  // returns when stopped; events are handled meanwhile

    previewRunning_ = false;
    env_.process.PreviewStopRequested = kFalse16;
    button->setText(caption);
    SetPreviewControlsEnabled(button, true);
    if (closeAfterPreview_) {
        closeAfterPreview_ = false;
        QTimer::singleShot(0, this, &FrmProps::reject);
    }
}

// ---- templates ----------------------------------------------------------------------------

void FrmProps::OpenTemplateFromMenu() {
    if (!hooks_.selectTemplateFile) return;
    const QString path =
        hooks_.selectTemplateFile(this, true, Tr(pt::kOpenTemplateTitle), Tr(kTemplateTypes));
    if (path.isEmpty()) return;
    env_.templatePath = Std(path);
    TemplateFile file(env_.templatePath);
    TemplateFields fields;
    WriteTemplateFields(fields);
    OpenTemplate(file, env_.store, fields, env_.galaxyTypes, env_.composites);
    ReadTemplateFields(fields);
    FillGalaxyList();
    c_.lstUniGalaxy->setCurrentRow(0);
    OnGalaxyLineChosen();
    FillTypeNameLists();
    FillCompositeListFromTable();
}

void FrmProps::SaveTemplateFromMenu(bool askForPath) {
    QString path = askForPath ? QString() : Tr(env_.templatePath);
    if (path.isEmpty()) {
        if (!hooks_.selectTemplateFile) return;
        path = hooks_.selectTemplateFile(this, false, Tr(pt::kSaveTemplateTitle), Tr(kTemplateTypes));
        if (path.isEmpty()) return;
        env_.templatePath = Std(path);
    }
    SaveTemplateTo(path);
}

void FrmProps::SaveTemplateTo(const QString& path) {
    TemplateFields fields;
    WriteTemplateFields(fields);
    TemplateFile file(Std(path));
    // A template the user believes saved but that is not on disk would be lost work, so a
    // failed write is said, not passed over.
    if (!SaveTemplate(file, env_.store, fields, env_.galaxyTypes, env_.composites)) {
        if (hooks_.message) {
            hooks_.message(this, QMessageBox::Warning,
                           Tr(pt::kTemplateNotWritten) + QStringLiteral("\n\n") + path, QMessageBox::Ok,
                           QMessageBox::Ok);
        }
    }
}

void FrmProps::WriteTemplateFields(TemplateFields& fields) const {
    fields.txtPixelSize = Std(c_.txtPixelSize->text());
    fields.txtFocalLen = Std(c_.txtFocalLen->text());
    fields.txtMessage = Std(c_.txtMessage->text());
    for (const auto& [index, field] : c_.txtUni) {
        if (index >= 0 && index < kUniverseFieldSlots)
            fields.txtUni[static_cast<size_t>(index)] = Std(field->text());
    }
    fields.chkUniTour = c_.chkUniTour->isChecked();
    fields.chkVisitSeq = c_.chkVisitSeq->isChecked();
    fields.chkTrackGrav = c_.chkTrackGrav->isChecked();
    fields.chkAmbDisp = c_.chkAmbDisp->isChecked();
    fields.cboUniProfile = c_.cboUniProfile->currentIndex();
}

void FrmProps::ReadTemplateFields(const TemplateFields& fields) {
    c_.txtPixelSize->setText(Tr(fields.txtPixelSize));
    c_.txtFocalLen->setText(Tr(fields.txtFocalLen));
    c_.txtMessage->setText(Tr(fields.txtMessage));
    for (auto& [index, field] : c_.txtUni) {
        if (index >= 0 && index < kUniverseFieldSlots)
            field->setText(Tr(fields.txtUni[static_cast<size_t>(index)]));
    }
    c_.chkUniTour->setChecked(fields.chkUniTour);
    c_.chkVisitSeq->setChecked(fields.chkVisitSeq);
    c_.chkTrackGrav->setChecked(fields.chkTrackGrav);
    c_.chkAmbDisp->setChecked(fields.chkAmbDisp);
    if (const SettingDef* profile = FindSetting("Universe_Profile")) {
        c_.cboUniProfile->setCurrentIndex(HoldInt16(*profile, RoundToInt16Saturated(fields.cboUniProfile)));
    }
}

// ---- menus and help -----------------------------------------------------------------------

void FrmProps::ExitProgram() {
    env_.process.ExitRequested = kTrue16;
    reject();
}

void FrmProps::ShowAdvancedSettings() {
    if (!hooks_.showAdvanced) return;
    QString message = c_.txtMessage->text();
    hooks_.showAdvanced(this, message);
    c_.txtMessage->setText(message);
}

void FrmProps::ShowAbout() {
    if (hooks_.showAbout) hooks_.showAbout(this);
}

void FrmProps::ShowHelp(const QString& topic) {
    const QString path = HelpFilePath();
    if (path.isEmpty()) {
        Message(pt::kHelpMissing, nullptr);
        return;
    }
    if (!hooks_.openUrl || !hooks_.openUrl(HelpUrl(path, topic))) Message(pt::kHelpFailed, nullptr);
}

void FrmProps::ShowHelpForFocus() {
    QWidget* focus = QApplication::focusWidget();
    ShowHelp(HelpTopicOf(focus && isAncestorOf(focus) ? focus : this));
}

// ---- colour samples and pictures ----------------------------------------------------------

void FrmProps::UpdatePixHueSamples(int index) {
    if (index >= 0 && index < static_cast<int>(c_.picPixHue.size())) {
        const double value = Held<double>(
            RoundHalfEven(NumberAfterZero(c_.txtPixHue[static_cast<size_t>(index)]->text())), 0, 100);
        const int level = static_cast<int>(RoundHalfEven(value * 2.55));
        const QColor colours[] = {QColor(level, 0, 0), QColor(0, level, 0), QColor(0, 0, level),
                                  QColor(level, level, level)};
        c_.picPixHue[static_cast<size_t>(index)]->SetColour(colours[index]);
    }
}

void FrmProps::UpdateGalaxyHueSample() {
    c_.picGalHue->SetColour(ColourFromPacked(HueColor(HueOf(c_.txtGalaxy.at(95)->text()))));
}

void FrmProps::UpdateRampSample(bool universe) {
    FieldEdit* start = universe ? c_.txtUni.at(16) : c_.txtGalaxy.at(47);
    FieldEdit* end = universe ? c_.txtUni.at(17) : c_.txtGalaxy.at(48);
    RampSample::Ramp ramp{};
    BuildHueRamp(ramp.data(), HueOf(start->text()), HueOf(end->text()));
    (universe ? c_.picColUni : c_.picColNova)->SetRamp(ramp);
}

void FrmProps::UpdateProfilePicture(bool universe) {
    if (universe) {
        c_.picUniProfile->SetProfile(c_.cboUniProfile->currentIndex());
    } else {
        c_.picGalProfile->SetProfile(c_.cboGalProfile->currentIndex());
    }
}

}  // namespace astrelle
