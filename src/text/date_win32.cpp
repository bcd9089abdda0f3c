#include <windows.h>

#include "text/date.h"

namespace velora::text {

LocalTime LocalNow() {
  SYSTEMTIME st{};
  GetLocalTime(&st);
  return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
}

}  // namespace velora::text
