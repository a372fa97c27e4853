// The small pictures of the properties dialog: a plain colour swatch (hue boxes), a ramp
// sample (100 colour bands of a hue ramp) and the profile pictogram (the cross-section of a
// shape profile drawn from elliptical arcs and lines).
#pragma once

#include <QColor>
#include <QFrame>

#include <array>
#include <cstdint>

#include "ui/qt/packed_colour.h"

namespace astrelle {

class ColourSwatch : public QFrame {
    Q_OBJECT
  public:
    explicit ColourSwatch(QWidget* parent = nullptr);
    void SetColour(const QColor& colour);
    QColor Colour() const { return colour_; }
    QSize sizeHint() const override { return {24, 20}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor colour_ = Qt::black;
};

class RampSample : public QFrame {
    Q_OBJECT
  public:
    static constexpr int kEntries = 100;
    using Ramp = std::array<uint32_t, kEntries>;

    explicit RampSample(QWidget* parent = nullptr);
    void SetRamp(const Ramp& ramp);
    const Ramp& Colours() const { return ramp_; }
    QSize sizeHint() const override { return {100, 16}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    Ramp ramp_{};
};

class ProfilePictogram : public QFrame {
    Q_OBJECT
  public:
    static constexpr int kProfiles = 7;

    explicit ProfilePictogram(QWidget* parent = nullptr);
    // 0..6; any other value leaves the picture empty.
    void SetProfile(int profile);
    int Profile() const { return profile_; }
    QSize sizeHint() const override { return {72, 44}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int profile_ = -1;
};

}  // namespace astrelle
