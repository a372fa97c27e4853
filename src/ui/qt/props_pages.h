// The layout of the properties dialog's pages and boxes: one widget class per page, which
// creates its controls, lays them out and registers each under the name the dialog's
// logic gives it (a setting's key or one of the dialog's own controls). Ranges, steps,
// labels and list entries come from the logic's tables and the settings definitions.
#pragma once

#include <QGroupBox>
#include <QString>
#include <QWidget>

#include <string_view>

#include "ui/qt/props_layout.h"

namespace astrelle {

// ---- universe sub-pages -------------------------------------------------------------------
class UniverseCreationPageView : public QWidget {
  public:
    UniverseCreationPageView(PropsBuilder& b, QWidget* parent);
};

class StarCreationPageView : public QWidget {
  public:
    StarCreationPageView(PropsBuilder& b, QWidget* parent);
};

class TourPageView : public QWidget {
  public:
    TourPageView(PropsBuilder& b, QWidget* parent);
};

class CompositePageView : public QWidget {
  public:
    CompositePageView(PropsBuilder& b, QWidget* parent);
};

class GravityPageView : public QWidget {
  public:
    GravityPageView(PropsBuilder& b, QWidget* parent);
};

class UniversePageView : public QGroupBox {
  public:
    UniversePageView(PropsBuilder& b, QWidget* parent);
};

// ---- galaxy sub-pages ---------------------------------------------------------------------
class GalaxyCharacteristicsPageView : public QWidget {
  public:
    GalaxyCharacteristicsPageView(PropsBuilder& b, QWidget* parent);
};

class NovaStarPageView : public QWidget {
  public:
    NovaStarPageView(PropsBuilder& b, QWidget* parent);
};

class CometPageView : public QWidget {
  public:
    CometPageView(PropsBuilder& b, QWidget* parent);
};

class GalaxyPageView : public QGroupBox {
  public:
    GalaxyPageView(PropsBuilder& b, QWidget* parent);
};

// ---- the boxes beside the pages -----------------------------------------------------------
class GalaxyTypesBoxView : public QGroupBox {
  public:
    GalaxyTypesBoxView(PropsBuilder& b, QWidget* parent);
};

class PreviewBoxView : public QGroupBox {
  public:
    PreviewBoxView(PropsBuilder& b, QWidget* parent);
};

class CopyBoxView : public QGroupBox {
  public:
    CopyBoxView(PropsBuilder& b, QWidget* parent);
};

class DisplayBoxView : public QGroupBox {
  public:
    DisplayBoxView(PropsBuilder& b, QWidget* parent);
};

}  // namespace astrelle
