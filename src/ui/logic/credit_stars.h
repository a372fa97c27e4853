// The star flight of the credits window as plain logic: the window's set-up with its
// clamps, the stars on the unit square that fly towards the viewer and are renewed at
// depth 1 when they leave the square or come too close, and the scrolling of the text.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/random_source.h"

namespace astrelle {

// What the window is told before it is shown.
struct CreditsSetup {
    int16_t stars = 125;             // i3DStars: the field holds stars + 1 stars
    float speed = 0.005f;            // f3DSpeed: depth step per frame
    float scrollStep = 2.0f;         // fScrlInc: pixels the text moves up per frame
    std::vector<std::string> lines;  // sCredits
};

// The set-up as the window uses it: stars 10..200, speed 0.0025..0.25, scroll step 0.5..10.
CreditsSetup ClampCreditsSetup(const CreditsSetup& setup);

// The credit text starts, and re-enters after it has scrolled out, this far above the
// bottom of its frame.
inline constexpr double kCreditsEntryGap = 10;

// The top of the credit text after a frame: up by the step, and once the text has left its
// frame entirely, back in near the frame's bottom.
double NextCreditsTop(double top, double textHeight, double frameHeight, double step);

// The stars of the flight on the unit square, x and y in -1..1, depth z from 1 (far) down
// to 0.02, with their projected places sx = x / z, sy = y / z. A star that leaves the
// square or comes closer than 0.02 is renewed at depth 1 in the same frame.
class CreditStarField {
  public:
    static constexpr float kNearest = 0.02f;

    // Dot width for a depth: the whole part of 1 / z (at least 1).
    static int DotWidth(float z);

    // Sizes the field to count + 1 stars and places them all at depth 1; plot(sx, sy, width)
    // draws each.
    template <class Plot>
    void Start(int count, RandomSource& random, Plot&& plot) {
        const size_t n = static_cast<size_t>(count < 0 ? 0 : count) + 1;
        x_.assign(n, 0.0f);
        y_.assign(n, 0.0f);
        z_.assign(n, 1.0f);
        sx_.assign(n, 0.0f);
        sy_.assign(n, 0.0f);
        for (size_t i = 0; i < n; ++i) {
            Renew(i, random);
            plot(sx_[i], sy_[i], DotWidth(z_[i]));
        }
    }

    // One frame: every star is drawn again where it was (which erases it), moves speed
    // closer, is renewed when it left the square or came too close, and is drawn anew.
    template <class Plot>
    void Frame(float speed, RandomSource& random, Plot&& plot) {
        for (size_t i = 0; i < x_.size(); ++i) {
            plot(sx_[i], sy_[i], DotWidth(z_[i]));
            z_[i] -= speed;
            sx_[i] = x_[i] / z_[i];
            sy_[i] = y_[i] / z_[i];
            if (!(sx_[i] >= -1.0f && sx_[i] <= 1.0f && sy_[i] >= -1.0f && sy_[i] <= 1.0f &&
                  z_[i] >= kNearest)) {
                Renew(i, random);
            }
            plot(sx_[i], sy_[i], DotWidth(z_[i]));
        }
    }

    size_t Size() const { return x_.size(); }
    float X(size_t i) const { return x_[i]; }
    float Y(size_t i) const { return y_[i]; }
    float Z(size_t i) const { return z_[i]; }
    float SX(size_t i) const { return sx_[i]; }
    float SY(size_t i) const { return sy_[i]; }
    // Puts a star somewhere (tests).
    void Place(size_t i, float x, float y, float z);

  private:
    void Renew(size_t i, RandomSource& random);

    std::vector<float> x_, y_, z_, sx_, sy_;
};

}  // namespace astrelle
