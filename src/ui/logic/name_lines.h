// The lines of the galaxy type and composite lists: the name, blanks and the weight, the
// blanks chosen so that the weights line up about 2400 twips from the left edge in the
// list's font. A line is read back by cutting: the name is the line without its last four
// characters, the weight those four characters, both without blanks at their ends.
#pragma once

#include <string>
#include <string_view>

#include "ui/logic/control.h"

namespace astrelle {

class PropsView;

inline constexpr int kWeightChars = 4;

std::string NameWeightLine(const PropsView& view, const Control& list, int twipsPerPixel,
                           std::string_view name, int weight);
std::string NameOfLine(std::string_view line);
std::string WeightOfLine(std::string_view line);
// The line without its weight, as the major and minor type lists show it.
std::string WithoutWeight(std::string_view line);

}  // namespace astrelle
