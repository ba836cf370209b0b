#include "lagna/pada_tables.h"

#include "lagna/sign_tables.h"
#include "lagna/texts/interpretation_texts.h"

namespace corvane {

namespace {

// Houses 2 to 12; the 1st house's text is kArudhaLagnaSignification.
constexpr std::array<std::string_view, 11> kLaterPadaSignifications = {
    "This tells about your family and financial prosperity.",
    "This shows the problems related to siblings and your courage.",
    "This shows how others perceive your home. This also shows the blessings and property you "
    "receive from your mother.",
    "This shows your devotion to religion and pious matters and problems related to children.",
    "This tells more about your enemies and the kind of illnesses that may affect you.",
    "This is important for social status, success, marriage, partnership and financial "
    "prosperity.",
    "This shows perception towards partners.",
    "This shows the blessings of your father, fortune, guru.",
    "This gives information about material success. This tells about the power and status that "
    "you will attain.",
    "This tells about how you will achieve your objectives and about your elder siblings.",
    "This signifies marriage and spouse related issues. This gives you more information about "
    "your spouse and his / her characteristics.",
};

}  // namespace

std::string_view PadaSignification(int house) {
  if (house == 0) return kArudhaLagnaSignification;
  if (house < 0 || house >= 12) return {};
  return kLaterPadaSignifications[house - 1];
}

PadaView MakePadaView(int house, int padaSign) {
  PadaView view;
  if (house < 0 || house >= 12) return view;
  view.label = kPadaLabels[house];
  view.alternateNames = kPadaAlternateNames[house];
  if (const SignAttributes* sign = FindSign(padaSign)) {
    view.signName = sign->EnglishName;
    view.signNature = kSignNature[padaSign];
  }
  return view;
}

}  // namespace corvane
