// The look and reach of the properties dialog: every page fits 1024x768 with every button on
// it, keeps one size, stays centred, nothing overlaps or is cut off, labels in their column,
// whole rows (ASTRELLE_SCREENSHOTS names a folder for a screenshot of each page).
#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>

#include <map>

#include "props_dialog_fixture.h"
#include "ui/qt/spin_control.h"

namespace astrelle::testing_support {
namespace {

// Finds laid-out controls that leave their parent, overlap a sibling, or are smaller than
// their text needs. The insides of Qt's composite widgets (lists, combo boxes) and of the
// spinner are theirs to arrange and are not looked into.
void CheckLayout(const QWidget* parent, std::vector<std::string>& problems) {
    if (qobject_cast<const QAbstractScrollArea*>(parent) || qobject_cast<const QComboBox*>(parent) ||
        qobject_cast<const SpinControl*>(parent) || qobject_cast<const QMenuBar*>(parent)) {
        return;
    }
    std::vector<const QWidget*> children;
    for (const QObject* object : parent->children()) {
        const auto* child = qobject_cast<const QWidget*>(object);
        if (child && !child->isWindow() && child->isVisible()) children.push_back(child);
    }
    auto name = [](const QWidget* w) {  // its name and, of labels and buttons, its text
        return (w->objectName() + " '" + w->property("text").toString() + "'").toStdString();
    };
    for (size_t i = 0; i < children.size(); ++i) {
        const QWidget* child = children[i];
        if (!parent->rect().contains(child->geometry()))
            problems.push_back(name(child) + " leaves its parent");
        for (size_t j = i + 1; j < children.size(); ++j) {
            if (child->geometry().intersects(children[j]->geometry())) {
                problems.push_back(name(child) + " overlaps " + name(children[j]));
            }
        }
        const QSize hint = child->sizeHint();
        const auto* label = qobject_cast<const QLabel*>(child);
        if (label && label->wordWrap()) {
            if (child->height() < label->heightForWidth(child->width()))
                problems.push_back(name(child) + " is cut off");
        } else if (const auto* combo = qobject_cast<const QComboBox*>(child)) {
            // A list shows its longest entry whole.
            int longest = 0;
            for (int entry = 0; entry < combo->count(); ++entry) {
                longest = std::max(longest, combo->fontMetrics().horizontalAdvance(combo->itemText(entry)));
            }
            if (child->width() < longest) problems.push_back(name(child) + " cuts its entries");
        } else if (label || qobject_cast<const QAbstractButton*>(child)) {
            if (child->width() < hint.width() || child->height() < hint.height()) {
                problems.push_back(name(child) + " is cut off");
            }
        }
        CheckLayout(child, problems);
    }
}

// The smallest screen the dialog must fit (the test program's one screen).
constexpr QSize kSmallScreen(1024, 768);

// On every page: the whole dialog and every button on the screen, with room for a title bar
// and a desktop panel; the same size on every page, and centred.
void CheckAndShoot(QDialog& dialog, const QString& page, const QSize& size) {
    const std::string where = page.toStdString();
    QApplication::processEvents();
    // Rendering once settles the layouts of a page just shown, as showing it on a screen does.
    dialog.grab();
    const QRect screen = dialog.screen()->availableGeometry();
    ASSERT_EQ(screen.size(), kSmallScreen);
    EXPECT_TRUE(screen.contains(dialog.frameGeometry())) << where;
    EXPECT_LE(dialog.frameGeometry().height(), kSmallScreen.height() - 80) << where;
    EXPECT_EQ(dialog.size(), size) << where;
    EXPECT_NEAR(dialog.frameGeometry().center().x(), screen.center().x(), 2) << where;
    EXPECT_NEAR(dialog.frameGeometry().center().y(), screen.center().y(), 2) << where;
    for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) {
        if (!button->isVisible()) continue;
        const QRect onScreen(button->mapToGlobal(QPoint(0, 0)), button->size());
        EXPECT_TRUE(screen.contains(onScreen)) << where << ": " << button->text().toStdString();
    }
    std::vector<std::string> problems;
    CheckLayout(&dialog, problems);
    for (const std::string& problem : problems) ADD_FAILURE() << where << ": " << problem;
    EXPECT_TRUE(SaveScreenshot(dialog, page));
}

// A list shows whole rows only: no row is cut in half at its lower edge.
void ExpectWholeRows(const QListWidget* list) {
    const int row = list->sizeHintForRow(0);
    ASSERT_GT(row, 0) << list->objectName().toStdString();
    EXPECT_EQ(list->viewport()->height() % row, 0)
        << list->objectName().toStdString() << ": " << list->viewport()->height() << " for rows of " << row;
}

// A row's label ends in a colon, and a check box that reads as a label ("Profile Disp.:")
// has its box in the column of the fields above it.
void ExpectLabelsAndBoxesInColumns(FrmProps& dialog) {
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->buddy() && !qobject_cast<const QListWidget*>(label->buddy())) {
            EXPECT_TRUE(label->text().endsWith(QLatin1Char(':'))) << label->text().toStdString();
        }
    }
    const std::pair<const char*, const char*> rows[] = {{"Universe_GVisit", "Universe_DstCen"},
                                                        {"Universe_GTrack", "Universe_DstCen"},
                                                        {"Universe_AmProf", "Universe_AmMaxExt"}};
    for (const auto& [boxName, fieldName] : rows) {
        const QWidget* box = dialog.findChild<QCheckBox*>(boxName);
        const QWidget* field = dialog.findChild<FieldEdit*>(fieldName);
        ASSERT_TRUE(box && field) << boxName;
        const QPoint boxAt = box->mapTo(box->window(), QPoint(0, 0));
        const QPoint fieldAt = field->mapTo(field->window(), QPoint(0, 0));
        EXPECT_EQ(boxAt.x(), fieldAt.x()) << boxName;
        EXPECT_GT(boxAt.y(), fieldAt.y()) << boxName;
    }
}

// Every mnemonic that can be used at the moment (visible and enabled) must be unique, or
// Alt+letter would pick one of several controls by chance.
void CheckMnemonics(const QDialog& dialog, const QMenuBar& menus, const QString& page) {
    std::map<QKeySequence, QString> seen;
    auto note = [&](const QString& text) {
        const QKeySequence key = QKeySequence::mnemonic(text);
        if (key.isEmpty()) return;
        const auto [it, fresh] = seen.emplace(key, text);
        if (!fresh)
            ADD_FAILURE() << page.toStdString() << ": " << text.toStdString() << " and "
                          << it->second.toStdString();
    };
    for (const QAction* action : menus.actions()) note(action->text());
    for (const QWidget* w : dialog.findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&dialog) || !w->isEnabled()) continue;
        if (const auto* label = qobject_cast<const QLabel*>(w); label && label->buddy()) note(label->text());
        if (const auto* button = qobject_cast<const QAbstractButton*>(w)) note(button->text());
    }
}

TEST_F(PropsDialogTest, EveryPageFitsTheScreenAndIsReachableByKeyboard) {
    Open();
    const QSize size = dialog->size();
    for (const QWidget* w : dialog->findChildren<QWidget*>()) {
        if (w->objectName().startsWith(QLatin1String("qt_"))) continue;  // Qt's own parts
        const bool input =
            qobject_cast<const QLineEdit*>(w) || qobject_cast<const QComboBox*>(w) ||
            qobject_cast<const QAbstractItemView*>(w) || qobject_cast<const SpinControl*>(w) ||
            (qobject_cast<const QAbstractButton*>(w) && !qobject_cast<const SpinControl*>(w->parent()));
        if (input) {
            EXPECT_TRUE(w->focusPolicy() & Qt::TabFocus)
                << w->metaObject()->className() << " " << w->objectName().toStdString();
        }
    }
    auto walk = [&](const char* chooser, const char* pages, const QString& prefix) {
        for (int page = 0; page < Find<QStackedWidget>(pages)->count(); ++page) {
            Choose(Find<QComboBox>(chooser), page);
            EXPECT_EQ(Find<QStackedWidget>(pages)->currentIndex(), page);
            CheckAndShoot(*dialog, prefix + QString::number(page), size);
            CheckMnemonics(*dialog, *dialog->MenuBar(), prefix + QString::number(page));
        }
    };
    walk("cboUniExtras", "fraUniProp", QStringLiteral("universe-"));
    for (const char* list : {"lstUniGalaxy", "lstCompGalaxy", "lstCompMinor"})
        ExpectWholeRows(Find<QListWidget>(list));
    ExpectLabelsAndBoxesInColumns(*dialog);
    ClickLine(Find<QListWidget>("lstUniGalaxy"), 0);
    Find<QPushButton>("cmdGalProps")->click();
    walk("cboGalaxExtras", "fraGalProp", QStringLiteral("galaxy-"));
    // Back on the universe page, still the same size and place.
    Find<QPushButton>("cmdAccept")->click();
    CheckAndShoot(*dialog, QStringLiteral("universe-again"), size);
}

}  // namespace
}  // namespace astrelle::testing_support
