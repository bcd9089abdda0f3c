#include "exec/key_names.h"

#include <array>

namespace velora::exec {
namespace {

struct NamedKey {
  int code;
  std::string_view name;
};

// Digits, letters and F-keys are listed out so that every name is a constant with a lifetime.
constexpr NamedKey kKeyNames[] = {
    {3, "Break"},      {8, "退格键"},       {9, "Tab键"},          {13, "回车键"},      {16, "Shift键"},
    {17, "Ctrl键"},    {18, "Alt键"},       {19, "Pause键"},       {20, "Caps Lock键"}, {27, "Esc键"},
    {32, "空格键"},    {33, "PageUp键"},    {34, "PageDown键"},    {35, "End键"},       {36, "Home键"},
    {37, "左光标键"},  {38, "上光标键"},    {39, "右光标键"},      {40, "下光标键"},    {45, "Ins键"},
    {46, "Del键"},     {48, "0键"},         {49, "1键"},           {50, "2键"},         {51, "3键"},
    {52, "4键"},       {53, "5键"},         {54, "6键"},           {55, "7键"},         {56, "8键"},
    {57, "9键"},       {65, "A键"},         {66, "B键"},           {67, "C键"},         {68, "D键"},
    {69, "E键"},       {70, "F键"},         {71, "G键"},           {72, "H键"},         {73, "I键"},
    {74, "J键"},       {75, "K键"},         {76, "L键"},           {77, "M键"},         {78, "N键"},
    {79, "O键"},       {80, "P键"},         {81, "Q键"},           {82, "R键"},         {83, "S键"},
    {84, "T键"},       {85, "U键"},         {86, "V键"},           {87, "W键"},         {88, "X键"},
    {89, "Y键"},       {90, "Z键"},         {91, "Win键"},         {106, "乘号键"},     {107, "加号键"},
    {112, "F1键"},     {113, "F2键"},       {114, "F3键"},         {115, "F4键"},       {116, "F5键"},
    {117, "F6键"},     {118, "F7键"},       {119, "F8键"},         {120, "F9键"},       {121, "F10键"},
    {122, "F11键"},    {123, "F12键"},      {124, "F13键"},        {125, "F14键"},      {126, "F15键"},
    {127, "F16键"},    {144, "NumLock键"},  {145, "ScrollLock键"}, {160, "左shift键"},  {161, "右shift键"},
    {162, "左CTRL键"}, {163, "右CTRL键"},   {186, "分号键"},       {187, "等号键"},     {188, "逗号键"},
    {189, "减号键"},   {190, "圆点键"},     {191, "除号键"},       {192, "反撇号键"},   {219, "左中括号键"},
    {220, "斜杠键"},   {221, "右中括号键"}, {222, "单引号键"},
};

enum class Match { kExact, kAnyCase };

struct AcceptedName {
  std::string_view name;
  int code;
  Match match;
};

// Tried in this order; the first match wins.
constexpr AcceptedName kAcceptedNames[] = {
    {"win键", 91, Match::kAnyCase},
    {"ctrl键", 17, Match::kAnyCase},
    {"shift键", 16, Match::kAnyCase},
    {"alt键", 18, Match::kAnyCase},
    {"0键", 48, Match::kExact},
    {"1键", 49, Match::kExact},
    {"2键", 50, Match::kExact},
    {"3键", 51, Match::kExact},
    {"4键", 52, Match::kExact},
    {"5键", 53, Match::kExact},
    {"6键", 54, Match::kExact},
    {"7键", 55, Match::kExact},
    {"8键", 56, Match::kExact},
    {"9键", 57, Match::kExact},
    {"A键", 65, Match::kAnyCase},
    {"B键", 66, Match::kAnyCase},
    {"C键", 67, Match::kAnyCase},
    {"D键", 68, Match::kAnyCase},
    {"E键", 69, Match::kAnyCase},
    {"F键", 70, Match::kAnyCase},
    {"G键", 71, Match::kAnyCase},
    {"H键", 72, Match::kAnyCase},
    {"I键", 73, Match::kAnyCase},
    {"J键", 74, Match::kAnyCase},
    {"K键", 75, Match::kAnyCase},
    {"L键", 76, Match::kAnyCase},
    {"M键", 77, Match::kAnyCase},
    {"N键", 78, Match::kAnyCase},
    {"O键", 79, Match::kAnyCase},
    {"P键", 80, Match::kAnyCase},
    {"Q键", 81, Match::kAnyCase},
    {"R键", 82, Match::kAnyCase},
    {"S键", 83, Match::kAnyCase},
    {"T键", 84, Match::kAnyCase},
    {"U键", 85, Match::kAnyCase},
    {"V键", 86, Match::kAnyCase},
    {"W键", 87, Match::kAnyCase},
    {"X键", 88, Match::kAnyCase},
    {"Y键", 89, Match::kAnyCase},
    {"Z键", 90, Match::kAnyCase},
    {"F1键", 112, Match::kAnyCase},
    {"F2键", 113, Match::kAnyCase},
    {"F3键", 114, Match::kAnyCase},
    {"F4键", 115, Match::kAnyCase},
    {"F5键", 116, Match::kAnyCase},
    {"F6键", 117, Match::kAnyCase},
    {"F7键", 118, Match::kAnyCase},
    {"F8键", 119, Match::kAnyCase},
    {"F9键", 120, Match::kAnyCase},
    {"F10键", 121, Match::kAnyCase},
    {"F11键", 122, Match::kAnyCase},
    {"F12键", 123, Match::kAnyCase},
    {"F13键", 124, Match::kAnyCase},
    {"F14键", 125, Match::kAnyCase},
    {"F15键", 126, Match::kAnyCase},
    {"F16键", 127, Match::kAnyCase},
    {"break键", 3, Match::kExact},
    {"Tab键", 9, Match::kExact},
    {"回车键", 13, Match::kExact},
    {"pause键", 19, Match::kAnyCase},
    {"capsLock键", 20, Match::kAnyCase},
    {"numLock键", 144, Match::kAnyCase},
    {"scrollLock键", 145, Match::kAnyCase},
    {"esc键", 27, Match::kAnyCase},
    {"空格键", 32, Match::kExact},
    {"pageup键", 33, Match::kAnyCase},
    {"pagedown键", 34, Match::kAnyCase},
    {"home键", 36, Match::kAnyCase},
    {"end键", 35, Match::kAnyCase},
    {"左光标键", 37, Match::kExact},
    {"上光标键", 38, Match::kExact},
    {"右光标键", 39, Match::kExact},
    {"下光标键", 40, Match::kExact},
    {"ins键", 45, Match::kAnyCase},
    {"del键", 46, Match::kAnyCase},
    {"分号键", 186, Match::kExact},
    {"等号键", 187, Match::kExact},
    {"逗号键", 188, Match::kExact},
    {"减号键", 189, Match::kExact},
    {"圆点键", 190, Match::kExact},
    {"除号键", 191, Match::kExact},
    {"反撇号键", 192, Match::kExact},
    {"左中括号键", 219, Match::kExact},
    {"右中括号键", 221, Match::kExact},
    {"斜杠键", 220, Match::kExact},
    {"单引号键", 222, Match::kExact},
    {"乘号键", 106, Match::kExact},
    {"加号键", 107, Match::kExact},
    {"退格键", 8, Match::kExact},
    {"左shift键", 160, Match::kAnyCase},
    {"右shift键", 161, Match::kAnyCase},
    {"左CTRL键", 162, Match::kAnyCase},
    {"右CTRL键", 163, Match::kAnyCase},
};

bool EqualsAsciiAnyCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

}  // namespace

std::string_view KeyName(int code) {
  for (const NamedKey& key : kKeyNames) {
    if (key.code == code) return key.name;
  }
  return {};
}

int KeyOfName(std::string_view name) {
  for (const AcceptedName& entry : kAcceptedNames) {
    const bool hit = entry.match == Match::kExact ? name == entry.name : EqualsAsciiAnyCase(name, entry.name);
    if (hit) return entry.code;
  }
  return 0;
}

}  // namespace velora::exec
