#include "flipit/clock_face.h"

#include "flipit/texts.h"

namespace velora::flipit {
namespace {

std::string TwoDigits(int value) {
  value = ((value % 100) + 100) % 100;
  return {static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)};
}

}  // namespace

ClockFace FaceAt(const LocalTime& time) {
  ClockFace face;
  face.cards = {TwoDigits(time.hour), TwoDigits(time.minute)};
  face.caption = std::to_string(time.month) + "月" + std::to_string(time.day) + "日 " +
                 std::string(kWeekdays[static_cast<std::size_t>(((time.weekday % 7) + 7) % 7)]);
  return face;
}

}  // namespace velora::flipit
