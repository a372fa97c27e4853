// The layout of the properties dialog's pages and boxes: one widget class per page, which
// creates its controls, lays them out and registers each under the name the dialog's
// logic gives it (a setting's key or one of the dialog's own controls). Ranges, steps,
// labels and list entries come from the logic's tables and the settings definitions.
#pragma once

#include <QGroupBox>
#include <QString>
#include <QWidget>

#include <string_view>

#include "ui/logic/control.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace astrelle {

class FieldEdit;
class QtControls;
class SpinControl;

// Gives a list the height of exactly that many whole rows (a row cut in half reads as a
// fault), measured on its own items; the list neither grows nor shrinks in its layout.
void ShowWholeRows(QListWidget* list, int rows);

// Rows of the lists shown at a glance: the galaxy type list is as tall as the preview
// beside it, the composite lists fill their page.
inline constexpr int kGalaxyTypeRowsShown = 9;
inline constexpr int kCompositeRowsShown = 12;
inline constexpr int kMinorTypeRowsShown = 16;

// What the pages build with: the controls they register, and helpers that create a
// control for a setting as its row and definition describe it.
class PropsBuilder {
  public:
    explicit PropsBuilder(QtControls& controls) : controls_(controls) {}

    // A number field wide enough for the given count of digits.
    FieldEdit* Number(QWidget* parent, std::string_view key, int digits);
    FieldEdit* Text(QWidget* parent, std::string_view key);
    SpinControl* Spin(QWidget* parent, std::string_view key);
    QCheckBox* Check(QWidget* parent, std::string_view key);
    QComboBox* List(QWidget* parent, std::string_view key);
    QComboBox* Combo(QWidget* parent, ControlId id, const char* name);
    QPushButton* Button(QWidget* parent, ControlId id, const char* caption, const char* name);
    QListWidget* Lines(QWidget* parent, ControlId id, const char* name);
    // The label of a setting's control, enabled and disabled with it.
    QLabel* Label(QWidget* parent, std::string_view key, QWidget* buddy);
    void Companion(std::string_view key, QWidget* widget);
    void Register(const Control& control, QWidget* widget);

  private:
    QtControls& controls_;
};

// ---- universe sub-pages -------------------------------------------------------------------
class UniverseCreationPageView : public QWidget {
    Q_OBJECT
  public:
    UniverseCreationPageView(PropsBuilder& b, QWidget* parent);
};

class StarCreationPageView : public QWidget {
    Q_OBJECT
  public:
    StarCreationPageView(PropsBuilder& b, QWidget* parent);
};

class TourPageView : public QWidget {
    Q_OBJECT
  public:
    TourPageView(PropsBuilder& b, QWidget* parent);
};

class CompositePageView : public QWidget {
    Q_OBJECT
  public:
    CompositePageView(PropsBuilder& b, QWidget* parent);
};

class GravityPageView : public QWidget {
    Q_OBJECT
  public:
    GravityPageView(PropsBuilder& b, QWidget* parent);
};

class UniversePageView : public QGroupBox {
    Q_OBJECT
  public:
    UniversePageView(PropsBuilder& b, QWidget* parent);
};

// ---- galaxy sub-pages ---------------------------------------------------------------------
class GalaxyCharacteristicsPageView : public QWidget {
    Q_OBJECT
  public:
    GalaxyCharacteristicsPageView(PropsBuilder& b, QWidget* parent);
};

class NovaStarPageView : public QWidget {
    Q_OBJECT
  public:
    NovaStarPageView(PropsBuilder& b, QWidget* parent);
};

class CometPageView : public QWidget {
    Q_OBJECT
  public:
    CometPageView(PropsBuilder& b, QWidget* parent);
};

class GalaxyPageView : public QGroupBox {
    Q_OBJECT
  public:
    GalaxyPageView(PropsBuilder& b, QWidget* parent);
};

// ---- the boxes beside the pages -----------------------------------------------------------
class GalaxyTypesBoxView : public QGroupBox {
    Q_OBJECT
  public:
    GalaxyTypesBoxView(PropsBuilder& b, QWidget* parent);
};

class PreviewBoxView : public QGroupBox {
    Q_OBJECT
  public:
    PreviewBoxView(PropsBuilder& b, QWidget* parent);
};

class CopyBoxView : public QGroupBox {
    Q_OBJECT
  public:
    CopyBoxView(PropsBuilder& b, QWidget* parent);
};

class DisplayBoxView : public QGroupBox {
    Q_OBJECT
  public:
    DisplayBoxView(PropsBuilder& b, QWidget* parent);
};

}  // namespace astrelle
