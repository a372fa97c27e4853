// Building and cutting the name-and-weight lines.
#include "ui/logic/name_lines.h"

#include <algorithm>

#include "settings/rounding.h"
#include "settings/value_utils.h"
#include "ui/logic/props_view.h"

namespace astrelle {

namespace {

constexpr int kWeightColumnTwips = 2400;
constexpr int kMinimumBlanks = 3;  // so the last four characters always hold the weight
constexpr int kDefaultTwipsPerPixel = 15;
// A run of blanks is measured, as single blanks have fractional widths in most fonts.
constexpr int kMeasuredBlanks = 100;

}  // namespace

std::string NameWeightLine(const PropsView& view, const Control& list, int twipsPerPixel,
                           std::string_view name, int weight) {
    const double twips = twipsPerPixel > 0 ? twipsPerPixel : kDefaultTwipsPerPixel;
    const double nameTwips = view.TextWidth(list, name) * twips;
    const double blankPixels =
        std::max(1.0, view.TextWidth(list, std::string(kMeasuredBlanks, ' ')) / kMeasuredBlanks);
    const int blanks = std::max<int>(
        kMinimumBlanks,
        static_cast<int>(RoundHalfEven((kWeightColumnTwips - nameTwips) / (blankPixels * twips))));
    return std::string(name) + std::string(static_cast<size_t>(blanks), ' ') + IntToText(weight);
}

std::string WithoutWeight(std::string_view line) {
    return std::string(line.substr(0, line.size() > kWeightChars ? line.size() - kWeightChars : 0));
}

std::string NameOfLine(std::string_view line) {
    return std::string(TrimBlanks(WithoutWeight(line)));
}

std::string WeightOfLine(std::string_view line) {
    const size_t from = line.size() > kWeightChars ? line.size() - kWeightChars : 0;
    return std::string(TrimBlanks(line.substr(from)));
}

}  // namespace astrelle
