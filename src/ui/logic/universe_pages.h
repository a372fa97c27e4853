// The universe page's sub-pages but the composites (composite_page.h): universe creation,
// new and ambient stars, the galaxy tour and gravity, each with its fields and what
// follows them.
#pragma once

#include "ui/logic/props_page.h"

namespace astrelle {

// Stars, galaxy objects, trail, expansion, symmetry, the universe hue ramp and profile.
class UniverseCreationPage : public PropsPage {
  public:
    using PropsPage::PropsPage;
    static std::span<const FieldRow> Rows();
    std::span<const FieldRow> Fields() const override { return Rows(); }
    // The ramp sample follows the hue fields, the pictogram the profile.
    void OnChanged(std::string_view key) override;
};

// New stars and the ambient stars around the camera.
class StarCreationPage : public PropsPage {
  public:
    using PropsPage::PropsPage;
    static std::span<const FieldRow> Rows();
    std::span<const FieldRow> Fields() const override { return Rows(); }
};

// The camera's tour; its fields take input only while the universe is toured.
class TourPage : public PropsPage {
  public:
    using PropsPage::PropsPage;
    static std::span<const FieldRow> Rows();
    std::span<const FieldRow> Fields() const override { return Rows(); }
    void OnChanged(std::string_view key) override;
};

// Gravity between the galaxy objects.
class GravityPage : public PropsPage {
  public:
    using PropsPage::PropsPage;
    static std::span<const FieldRow> Rows();
    std::span<const FieldRow> Fields() const override { return Rows(); }
};

// The general values beside the pages: pixel size, focal length and lock message.
class DisplayBox : public PropsPage {
  public:
    using PropsPage::PropsPage;
    static std::span<const FieldRow> Rows();
    std::span<const FieldRow> Fields() const override { return Rows(); }
};

}  // namespace astrelle
