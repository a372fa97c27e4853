// FrmProps: the layout around the pages, the menus, the fit to the screen, the help topics,
// disabling the dialog while a preview runs, and the dialogs and pages it opens.
#include "ui/qt/props_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QHBoxLayout>
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
#include "ui/logic/props_text.h"
#include "ui/qt/advanced_window.h"
#include "ui/qt/help.h"
#include "ui/qt/props_pages.h"
#include "ui/qt/surface_picture.h"
#include "ui/qt/template_window.h"
#include "ui/qt/welcome_window.h"

namespace astrelle {

namespace pt = props_text;

namespace {

constexpr const char* kHelpTopicProperty = "helpTopic";

QString Tr(const char* text) {
    return QString::fromUtf8(text);
}

struct MenuItem {
    int menu;  // 0 File, 1 Edit, 2 Help
    const char* caption;
    MenuEntry entry;
    bool separatorBefore;
};
constexpr const char* kMenus[] = {pt::kMenuFile, pt::kMenuEdit, pt::kMenuHelp};
constexpr const char* kMenuNames[] = {"mnuFile", "mnuEdit", "mnuHelp"};
constexpr MenuItem kMenuItems[] = {
    {0, pt::kMenuOpenTemplate, MenuEntry::OpenTemplate, false},
    {0, pt::kMenuSaveTemplate, MenuEntry::SaveTemplate, true},
    {0, pt::kMenuSaveTemplateAs, MenuEntry::SaveTemplateAs, false},
    {0, pt::kMenuExit, MenuEntry::Exit, true},
    {1, pt::kMenuReset, MenuEntry::Reset, false},
    {1, pt::kMenuAdvanced, MenuEntry::Advanced, true},
    {2, pt::kMenuContents, MenuEntry::HelpContents, false},
    {2, pt::kMenuSearch, MenuEntry::HelpSearch, false},
    {2, pt::kMenuWebPage, MenuEntry::WebPage, true},
    {2, pt::kMenuAbout, MenuEntry::About, true},
};

}  // namespace

FrmProps::FrmProps(const PropsEnvironment& env, QWidget* parent)
    : QDialog(parent), QtView<PropsView>(this), env_(env) {
    setObjectName("frmProps");
    setWindowTitle(Tr(pt::kCaption));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    BuildLayout();
    BuildMenus();
    preview_ = std::make_unique<PictureTarget>(*controls_.As<SurfacePicture>(Own(ControlId::PreviewPicture)),
                                               env_.process);
    logic_ = std::make_unique<PropsDialog>(env_, *this);
    controls_.Report(*logic_);
    SetHelpTopics();
    logic_->Open();
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
    PropsBuilder b(controls_);
    auto* top = new QHBoxLayout;
    top->setSpacing(8);
    top->addWidget(new GalaxyTypesBoxView(b, this), 0, Qt::AlignTop);
    top->addWidget(new PreviewBoxView(b, this), 0, Qt::AlignTop);
    auto* boxes = new QVBoxLayout;
    boxes->addWidget(new CopyBoxView(b, this));
    boxes->addWidget(new DisplayBoxView(b, this));
    boxes->addStretch(1);
    top->addLayout(boxes, 1);
    root->addLayout(top);

    auto* pages = new QStackedWidget(this);
    pages->setObjectName("fraAni");
    b.Register(Own(ControlId::MainPages), pages);
    pages->addWidget(new UniversePageView(b, pages));
    pages->addWidget(new GalaxyPageView(b, pages));
    root->addWidget(pages, 1);

    auto* buttons = new QHBoxLayout;
    QPushButton* accept = b.Button(this, ControlId::AcceptButton, pt::kAccept, "cmdAccept");
    // Wide enough for its other caption, so the layout does not jump in galaxy edit mode.
    accept->setText(Tr(pt::kReturnToUniverse));
    accept->setMinimumWidth(accept->sizeHint().width());
    accept->setText(Tr(pt::kAccept));
    QPushButton* dismiss = b.Button(this, ControlId::DismissButton, pt::kDismiss, "cmdDismiss");
    buttons->addStretch(1);
    buttons->addWidget(accept);
    buttons->addWidget(dismiss);
    root->addLayout(buttons);

    // Enter in a field must not press a button by surprise: no button is a default one.
    for (QPushButton* button : findChildren<QPushButton*>()) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    auto* preview = controls_.As<QPushButton>(Own(ControlId::GalaxyPreview));
    preview->setMinimumWidth(preview->sizeHint().width());
}

void FrmProps::BuildMenus() {
    QMenu* menus[std::size(kMenus)];
    for (size_t i = 0; i < std::size(kMenus); ++i) {
        menus[i] = menuBar_->addMenu(Tr(kMenus[i]));
        menus[i]->setObjectName(kMenuNames[i]);
    }
    for (const MenuItem& item : kMenuItems) {
        QMenu* menu = menus[item.menu];
        if (item.separatorBefore) menu->addSeparator();
        QAction* action = menu->addAction(Tr(item.caption));
        const MenuEntry entry = item.entry;
        connect(action, &QAction::triggered, this, [this, entry] { logic_->OnMenu(entry); });
        menuActions_.push_back(action);
    }
    for (QMenu* menu : menus) menuActions_.push_back(menu->menuAction());

    helpKey_ = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(helpKey_, &QShortcut::activated, this, [this] {
        QWidget* focus = QApplication::focusWidget();
        logic_->OnHelpKey(FromQt(HelpTopicOf(focus && isAncestorOf(focus) ? focus : this)));
    });
}

void FrmProps::SetHelpTopics() {
    for (const auto& [control, widget] : controls_.All()) {
        const std::string_view topic = PropsDialog::HelpTopic(control);
        if (!topic.empty()) widget->setProperty(kHelpTopicProperty, ToQt(topic));
    }
    for (const ControlId id : {ControlId::MainPages, ControlId::UniversePages, ControlId::GalaxyPages}) {
        auto* pages = controls_.As<QStackedWidget>(Own(id));
        for (int i = 0; i < pages->count(); ++i) {
            pages->widget(i)->setProperty(kHelpTopicProperty, ToQt(PropsDialog::PageHelpTopic(Own(id), i)));
        }
    }
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
    ShowWholeRows(controls_.As<QListWidget>(Own(ControlId::GalaxyTypeList)), kGalaxyTypeRowsShown);
    ShowWholeRows(controls_.As<QListWidget>(Own(ControlId::CompositeList)), kCompositeRowsShown);
    ShowWholeRows(controls_.As<QListWidget>(Own(ControlId::MinorTypes)), kMinorTypeRowsShown);
    // Layouts keep the measures they took of widgets on hidden pages; take them afresh.
    for (QWidget* widget : findChildren<QWidget*>()) widget->updateGeometry();
    for (QLayout* each : findChildren<QLayout*>()) each->invalidate();
    layout()->activate();
    setFixedSize(sizeHint().expandedTo(minimumSizeHint()));
}

QString FrmProps::HelpTopicOf(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        const QVariant topic = w->property(kHelpTopicProperty);
        if (topic.isValid() && !topic.toString().isEmpty()) return topic.toString();
    }
    return Tr(pt::kHelpContents);
}

// ---- the view's own calls -------------------------------------------------------------------

double FrmProps::TextWidth(const Control& list, std::string_view text) const {
    const QWidget* widget = controls_.Widget(list);
    return QFontMetrics(widget ? widget->font() : font()).horizontalAdvance(ToQt(text));
}

void FrmProps::SetBusy(bool busy) {
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

void FrmProps::SetPreviewRunning(const Control& stopButton, bool running) {
    QWidget* keep = controls_.Widget(stopButton);
    if (!running) {
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

PreviewTarget& FrmProps::Preview() {
    return *preview_;
}

std::string FrmProps::ChooseTemplateFile(TemplateMode mode, std::string_view title, std::string_view types) {
    return FromQt(SelectTemplateFile(this, mode, ToQt(title), ToQt(types)));
}

bool FrmProps::EditAdvancedSettings(std::string& lockMessage) {
    QString message = ToQt(lockMessage);
    if (!ShowAdvancedDialog(this, env_.store, message)) return false;
    lockMessage = FromQt(message);
    return true;
}

void FrmProps::ShowAbout() {
    ShowWelcome(this, WelcomeContext{env_.process, env_.galaxyTypes, env_.composites, &env_.store});
}

void FrmProps::ShowWebPage() {
    OpenProductPage(this);
}

HelpResult FrmProps::OpenHelp(std::string_view topic) {
    const QString path = HelpFilePath();
    if (path.isEmpty()) return HelpResult::Missing;
    return QDesktopServices::openUrl(HelpUrl(path, ToQt(topic))) ? HelpResult::Opened : HelpResult::Failed;
}

void FrmProps::Close(DialogResult result) {
    QDialog::done(result == DialogResult::Accepted ? QDialog::Accepted : QDialog::Rejected);
}

void FrmProps::reject() {
    logic_->OnCancel();  // while a preview runs, Cancel (the Escape key) stops it instead
}

void FrmProps::closeEvent(QCloseEvent* event) {
    if (!logic_->OnCloseRequested()) {
        event->ignore();  // the preview stops first; the dialog closes once it has
        return;
    }
    QDialog::closeEvent(event);
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
