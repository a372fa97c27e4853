// FrmProps: construction, layout, the set-up of every field from the settings definitions
// and the dialog's own tables, the list contents and the signal connections. The
// behaviour behind the controls is in props_actions.cpp.
#include "ui/qt/props_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QShowEvent>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "engine/process_values.h"
#include "settings/factory_tables.h"
#include "settings/rounding.h"
#include "settings/value_utils.h"
#include "ui/qt/colour_samples.h"
#include "ui/qt/field_edit.h"
#include "ui/qt/help.h"
#include "ui/qt/preview_runner.h"
#include "ui/qt/props_tables.h"
#include "ui/qt/props_text.h"
#include "ui/qt/spin_control.h"
#include "ui/qt/surface_picture.h"

namespace astrelle {

namespace pt = props_text;

namespace {

constexpr const char* kHelpTopicProperty = "helpTopic";
constexpr int kNameMaxLength = 64;  // well inside what the settings store reads back whole

QString Tr(const char* text) {
    return QString::fromUtf8(text);
}
QString Tr(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void SetTopic(QWidget* widget, const char* topic) {
    widget->setProperty(kHelpTopicProperty, QString::fromLatin1(topic));
}

}  // namespace

std::string& ProcessTemplatePath() {
    static std::string path;
    return path;
}

FrmProps::FrmProps(const PropsEnvironment& env, QWidget* parent)
    : FrmProps(env, DefaultPropsHooks(env), parent) {}

FrmProps::FrmProps(const PropsEnvironment& env, PropsHooks hooks, QWidget* parent)
    : QDialog(parent), env_(env), hooks_(std::move(hooks)) {
    setObjectName("frmProps");
    setWindowTitle(Tr(pt::kCaption));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    BuildLayout();
    BuildMenus();
    SetUpFields();
    SetUpLists();
    SetHelpTopics();
    ConnectSignals();
    CommitFocusedFieldBeforeActions(*this);
    preview_ =
        std::make_unique<PreviewRunner>(*c_.picPreview, env_.galaxyTypes, env_.composites, env_.process);
    Load();
    FixSize();
}

FrmProps::~FrmProps() = default;

void FrmProps::BuildLayout() {
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(8, 4, 8, 8);
    root->setSpacing(6);
    menuBar_ = new QMenuBar(this);
    root->setMenuBar(menuBar_);

    // The smallest screen it must fit is 1024x768: the galaxy types, the preview and the
    // copy and display boxes share the top row, the pages below take the whole width their
    // two columns of fields need, and the dialog's buttons close it at the bottom right.
    // Widgets are created in reading order, which is also the tab order.
    auto* top = new QHBoxLayout;
    top->setSpacing(8);
    top->addWidget(new GalaxyTypesBox(c_, this), 0, Qt::AlignTop);
    top->addWidget(new PreviewBox(c_, this), 0, Qt::AlignTop);
    auto* boxes = new QVBoxLayout;
    boxes->addWidget(new CopyBox(c_, this));
    boxes->addWidget(new GeneralBox(c_, this));
    boxes->addStretch(1);
    top->addLayout(boxes, 1);
    root->addLayout(top);

    c_.mainPages = new QStackedWidget(this);
    c_.mainPages->setObjectName("fraAni");
    c_.fraUniverse = new UniversePage(c_, c_.mainPages);
    c_.fraGalaxy = new GalaxyPage(c_, c_.mainPages);
    c_.mainPages->addWidget(c_.fraUniverse);
    c_.mainPages->addWidget(c_.fraGalaxy);
    root->addWidget(c_.mainPages, 1);

    auto* buttons = new QHBoxLayout;
    c_.cmdAccept = new QPushButton(Tr(pt::kAccept), this);
    c_.cmdAccept->setObjectName("cmdAccept");
    // Wide enough for its other caption, so the layout does not jump in galaxy edit mode.
    c_.cmdAccept->setText(Tr(pt::kReturnToUniverse));
    c_.cmdAccept->setMinimumWidth(c_.cmdAccept->sizeHint().width());
    c_.cmdAccept->setText(Tr(pt::kAccept));
    c_.cmdDismiss = new QPushButton(Tr(pt::kDismiss), this);
    c_.cmdDismiss->setObjectName("cmdDismiss");
    buttons->addStretch(1);
    buttons->addWidget(c_.cmdAccept);
    buttons->addWidget(c_.cmdDismiss);
    root->addLayout(buttons);

    // Enter in a field must not press a button by surprise: no button is a default one.
    for (QPushButton* button : findChildren<QPushButton*>()) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    c_.cmdGalPreview->setMinimumWidth(c_.cmdGalPreview->sizeHint().width());
}

void FrmProps::FixSize() {
    // Every page is measured before the dialog is shown, so that showing a page for the
    // first time never resizes the dialog (which was then no longer centred, or no longer
    // on a small screen): the dialog has the size of its largest page from the start and
    // keeps it. Widgets take their style's measures when polished.
    for (QWidget* widget : findChildren<QWidget*>()) widget->ensurePolished();
    // A list shows its longest entry whole, however the grid around it is squeezed; names
    // typed later (a renamed galaxy type) are cut rather than widen the dialog.
    for (QComboBox* combo : findChildren<QComboBox*>()) {
        combo->setMinimumWidth(combo->sizeHint().width());
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    }
    // Measured again on their real lines.
    ShowWholeRows(c_.lstUniGalaxy, kGalaxyTypeRowsShown);
    ShowWholeRows(c_.lstCompGalaxy, kCompositeRowsShown);
    ShowWholeRows(c_.lstCompMinor, kMinorTypeRowsShown);
    // Layouts keep the measures they took of widgets on hidden pages; take them afresh.
    for (QWidget* widget : findChildren<QWidget*>()) widget->updateGeometry();
    for (QLayout* each : findChildren<QLayout*>()) each->invalidate();
    layout()->activate();
    setFixedSize(sizeHint().expandedTo(minimumSizeHint()));
}

void FrmProps::BuildMenus() {
    auto add = [this](QMenu* menu, const char* text, void (FrmProps::*slot)()) {
        QAction* action = menu->addAction(Tr(text));
        connect(action, &QAction::triggered, this, slot);
        menuActions_.push_back(action);
        return action;
    };
    QMenu* file = menuBar_->addMenu(Tr(pt::kMenuFile));
    add(file, pt::kMenuOpenTemplate, &FrmProps::OpenTemplateFromMenu);
    file->addSeparator();
    QAction* save = file->addAction(Tr(pt::kMenuSaveTemplate));
    connect(save, &QAction::triggered, this, [this] { SaveTemplateFromMenu(false); });
    menuActions_.push_back(save);
    QAction* saveAs = file->addAction(Tr(pt::kMenuSaveTemplateAs));
    connect(saveAs, &QAction::triggered, this, [this] { SaveTemplateFromMenu(true); });
    menuActions_.push_back(saveAs);
    file->addSeparator();
    add(file, pt::kMenuExit, &FrmProps::ExitProgram);

    QMenu* edit = menuBar_->addMenu(Tr(pt::kMenuEdit));
    add(edit, pt::kMenuReset, &FrmProps::AskAndReset);
    edit->addSeparator();
    add(edit, pt::kMenuAdvanced, &FrmProps::ShowAdvancedSettings);

    QMenu* help = menuBar_->addMenu(Tr(pt::kMenuHelp));
    QAction* contents = help->addAction(Tr(pt::kMenuContents));
    connect(contents, &QAction::triggered, this, [this] { ShowHelp(QString::fromLatin1(kHelpContents)); });
    menuActions_.push_back(contents);
    QAction* search = help->addAction(Tr(pt::kMenuSearch));
    connect(search, &QAction::triggered, this, [this] { ShowHelp(QString::fromLatin1(kHelpSearch)); });
    menuActions_.push_back(search);
    help->addSeparator();
    QAction* web = help->addAction(Tr(pt::kMenuWebPage));
    connect(web, &QAction::triggered, this, [this] {
        if (hooks_.showWebPage) hooks_.showWebPage(this);
    });
    menuActions_.push_back(web);
    help->addSeparator();
    add(help, pt::kMenuAbout, &FrmProps::ShowAbout);

    for (QMenu* menu : {file, edit, help}) menuActions_.push_back(menu->menuAction());
    file->setObjectName("mnuFile");
    edit->setObjectName("mnuEdit");
    help->setObjectName("mnuHelp");

    helpKey_ = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(helpKey_, &QShortcut::activated, this, &FrmProps::ShowHelpForFocus);
}

void FrmProps::SetUpFields() {
    auto setUp = [this](FieldEdit* field, const char* control, int index) {
        const FieldKindSpec* kind = FindFieldKind(control, index);
        const SettingDef* def = FindControlSetting(control, index);
        if (!kind) return;
        FieldCheck check{kind->kind, kind->low, kind->high};
        if (!kind->dialogRange && def && def->hasRange) {
            check.low = def->low;
            check.high = def->high;
        }
        field->SetCheck(check);
        field->SetKeyFilter(FilterForKind(kind->kind));
        if (const auto step = FindArrowStep(control, index)) field->SetArrowStep(*step);
        if (def && def->IsStored()) field->setProperty(kHelpTopicProperty, Tr(def->key));
    };
    for (auto& [index, field] : c_.txtUni) setUp(field, kTxtUni, index);
    for (auto& [index, field] : c_.txtGalaxy) setUp(field, kTxtGalaxy, index);
    for (int i = 0; i < static_cast<int>(c_.txtPixHue.size()); ++i) setUp(c_.txtPixHue[i], kTxtPixHue, i);
    setUp(c_.txtPixelSize, "txtPixelSize", -1);
    setUp(c_.txtFocalLen, "txtFocalLen", -1);
    // The weights are checked when they are committed, not when they are left.
    setUp(c_.txtUniGalPct, "txtUniGalPct", -1);
    setUp(c_.txtCompGalPct, "txtCompGalPct", -1);
    c_.txtUniGalPct->ClearCheck();
    c_.txtCompGalPct->ClearCheck();
    // The copy value field takes the check of the chosen property; none is chosen yet.
    c_.txtPropCopy->SetKeyFilter(KeyFilterKind::Digits);

    if (const SettingDef* message = FindSetting("LockMessage"); message && message->maxLength > 0) {
        c_.txtMessage->setMaxLength(message->maxLength);
    }
    c_.txtUniGalName->setMaxLength(kNameMaxLength);
    c_.txtCompGalName->setMaxLength(kNameMaxLength);

    for (FieldEdit* field : findChildren<FieldEdit*>()) {
        field->SetBeep([this] {
            if (hooks_.beep) hooks_.beep();
        });
    }

    // Each spinner copies its value into its field when the user steps it, and follows
    // the field's number as it is typed, so that the next step starts from there.
    for (const SpinnerSpec& pair : kSpinners) {
        const QString spinName = pair.spinnerIndex >= 0 ? IndexedName(pair.spinner, pair.spinnerIndex)
                                                        : QString::fromLatin1(pair.spinner);
        const QString fieldName =
            pair.fieldIndex >= 0 ? IndexedName(pair.field, pair.fieldIndex) : QString::fromLatin1(pair.field);
        auto* spin = findChild<SpinControl*>(spinName);
        auto* field = findChild<FieldEdit*>(fieldName);
        if (spin && field) LinkSpinToField(spin, field);
    }
}

void FrmProps::SetUpLists() {
    auto fill = [](QComboBox* combo, auto&& entries) {
        combo->clear();
        for (const auto& entry : entries) combo->addItem(Tr(entry));
    };
    fill(c_.cboGalPlane, kAxisPlaneNames);
    fill(c_.cboGalColor, kColorCompNames);
    fill(c_.cboGalProfile, kProfileNames);
    fill(c_.cboUniProfile, kProfileNames);
    fill(c_.cboGalaxExtras, pt::kGalaxyExtras);
    fill(c_.cboUniExtras, pt::kUniverseExtras);

    c_.cboGalaxyTheme->addItem(Tr(pt::kNone));
    for (int i = 0; i < kGalaxyTypeCount; ++i) c_.cboGalaxyTheme->addItem(Tr(GalaxyTypeName(i)));
    c_.cboUniTheme->addItem(Tr(pt::kNone));
    for (int k = 1; k <= kUniverseThemeCount; ++k) c_.cboUniTheme->addItem(Tr(UniverseThemeName(k)));
    for (const CopySpec& copy : kCopyProperties) c_.cboPropCopy->addItem(Tr(copy.entry));
    c_.cboPropCopy->setCurrentIndex(-1);
    c_.cboGalaxyTheme->setCurrentIndex(0);
}

void FrmProps::SetHelpTopics() {
    SetTopic(c_.fraUniverse, "universe");
    SetTopic(c_.fraGalaxy, "galaxy");
    const char* const universePages[] = {"universe-creation", "new-ambient-stars", "tour", "composites",
                                         "gravity"};
    for (int i = 0; i < c_.fraUniProp->count(); ++i) SetTopic(c_.fraUniProp->widget(i), universePages[i]);
    const char* const galaxyPages[] = {"galaxy-characteristics", "new-nova-stars", "comets"};
    for (int i = 0; i < c_.fraGalProp->count(); ++i) SetTopic(c_.fraGalProp->widget(i), galaxyPages[i]);
    SetTopic(c_.cboUniTheme, "universe-themes");
    SetTopic(c_.cboGalaxyTheme, "galaxy-themes");
    SetTopic(c_.cboUniExtras, "universe");
    SetTopic(c_.cboGalaxExtras, "galaxy");
    for (QWidget* w : {static_cast<QWidget*>(c_.lstUniGalaxy), static_cast<QWidget*>(c_.txtUniGalName),
                       static_cast<QWidget*>(c_.txtUniGalPct), static_cast<QWidget*>(c_.cmdGalCommit),
                       static_cast<QWidget*>(c_.cmdGalProps)}) {
        SetTopic(w, "galaxy-types");
    }
    SetTopic(c_.cmdGalPreview, "preview");
    SetTopic(c_.cmdCompPreview, "preview");
    SetTopic(c_.picPreview, "preview");
    SetTopic(c_.cboPropCopy, "copy-to-all");
    SetTopic(c_.txtPropCopy, "copy-to-all");
    SetTopic(c_.cmdPropCopy, "copy-to-all");
    SetTopic(c_.chkUniTour, "Universe_Tour");
    SetTopic(c_.chkVisitSeq, "Universe_GVisit");
    SetTopic(c_.chkTrackGrav, "Universe_GTrack");
    SetTopic(c_.chkAmbDisp, "Universe_AmProf");
    SetTopic(c_.cboUniProfile, "Universe_Profile");
    SetTopic(c_.cboGalPlane, "Galaxy_AxisPlane");
    SetTopic(c_.cboGalColor, "Galaxy_ColorComp");
    SetTopic(c_.cboGalProfile, "Galaxy_Profile");
    SetTopic(c_.txtMessage, "LockMessage");
    SetTopic(c_.cmdAccept, "accept");
    SetTopic(c_.cmdDismiss, "accept");
}

void FrmProps::ConnectSignals() {
    connect(c_.cmdAccept, &QPushButton::clicked, this, &FrmProps::AcceptSettings);
    connect(c_.cmdDismiss, &QPushButton::clicked, this, &FrmProps::reject);

    connect(c_.lstUniGalaxy, &QListWidget::currentRowChanged, this, [this] { OnGalaxyLineChosen(); });
    connect(c_.lstUniGalaxy, &QListWidget::itemClicked, this, [this] { OnGalaxyLineChosen(); });
    connect(c_.lstUniGalaxy, &QListWidget::itemDoubleClicked, this, &FrmProps::ShowGalaxyProperties);
    connect(c_.cmdGalCommit, &QPushButton::clicked, this, &FrmProps::CommitGalaxyType);
    connect(c_.cmdGalProps, &QPushButton::clicked, this, &FrmProps::ShowGalaxyProperties);
    connect(c_.cmdGalPreview, &QPushButton::clicked, this, [this] { TogglePreview(true); });

    connect(c_.cboUniTheme, &QComboBox::activated, this, &FrmProps::ApplyUniverseTheme);
    connect(c_.cboGalaxyTheme, &QComboBox::activated, this, &FrmProps::ApplyGalaxyTheme);
    connect(c_.cboUniExtras, &QComboBox::activated, this, &FrmProps::ShowUniverseSubPage);
    connect(c_.cboGalaxExtras, &QComboBox::activated, c_.fraGalProp, &QStackedWidget::setCurrentIndex);
    connect(c_.cboUniProfile, &QComboBox::currentIndexChanged, this, [this] { UpdateProfilePicture(true); });
    connect(c_.cboGalProfile, &QComboBox::currentIndexChanged, this, [this] { UpdateProfilePicture(false); });
    connect(c_.chkUniTour, &QCheckBox::toggled, this, &FrmProps::UpdateTourControls);

    connect(c_.lstCompGalaxy, &QListWidget::currentRowChanged, this, &FrmProps::SelectComposite);
    connect(c_.lstCompGalaxy, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { SelectComposite(c_.lstCompGalaxy->row(item)); });
    connect(c_.cmdCompCommit, &QPushButton::clicked, this, &FrmProps::CommitComposite);
    connect(c_.cmdCompPreview, &QPushButton::clicked, this, [this] { TogglePreview(false); });

    connect(c_.cboPropCopy, &QComboBox::activated, this, &FrmProps::OnCopyEntryChosen);
    connect(c_.cmdPropCopy, &QPushButton::clicked, this, &FrmProps::CopyToAllTypes);

    for (int i = 0; i < static_cast<int>(c_.txtPixHue.size()); ++i) {
        connect(c_.txtPixHue[i], &QLineEdit::textChanged, this, [this, i] { UpdatePixHueSamples(i); });
    }
    connect(c_.txtGalaxy.at(95), &QLineEdit::textChanged, this, &FrmProps::UpdateGalaxyHueSample);
    for (int index : {47, 48}) {
        connect(c_.txtGalaxy.at(index), &QLineEdit::textChanged, this, [this] { UpdateRampSample(false); });
    }
    for (int index : {16, 17}) {
        connect(c_.txtUni.at(index), &QLineEdit::textChanged, this, [this] { UpdateRampSample(true); });
    }
}

QString FrmProps::HelpTopicOf(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        const QVariant topic = w->property(kHelpTopicProperty);
        if (topic.isValid() && !topic.toString().isEmpty()) return topic.toString();
    }
    return QString::fromLatin1(kHelpContents);
}

void FrmProps::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (centred_) return;
    centred_ = true;
    // Centre on the screen that holds the dialog, never beyond its top-left corner.
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect available = screen->availableGeometry();
    const QSize size = frameGeometry().size();
    const int x = available.left() + std::max(0, (available.width() - size.width()) / 2);
    const int y = available.top() + std::max(0, (available.height() - size.height()) / 2);
    move(x, y);
}

}  // namespace astrelle
