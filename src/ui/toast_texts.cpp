#include "ui/toast_texts.h"

namespace velora::ui {

std::optional<Toast> GroupToast(store::GroupOutcome outcome) {
  using core::ToastKind;
  using store::GroupOutcome;
  switch (outcome) {
    case GroupOutcome::kCreated:
    case GroupOutcome::kRenamed:
      return std::nullopt;
    case GroupOutcome::kCreateFailed:
      return Toast{ToastKind::kFailed, kCreateGroupFailed};
    case GroupOutcome::kRenameFailed:
      return Toast{ToastKind::kFailed, kRenameGroupFailed};
    case GroupOutcome::kFixedGroupUndeletable:
      return Toast{ToastKind::kFailed, kFixedGroupUndeletable};
    case GroupOutcome::kDeleted:
      return Toast{ToastKind::kDone, kGroupDeleted};
    case GroupOutcome::kDeleteFailed:
      return Toast{ToastKind::kFailed, kDeleteGroupFailed};
  }
  return std::nullopt;
}

Toast AutostartToast(settings::AutostartOutcome outcome) {
  using core::ToastKind;
  using settings::AutostartOutcome;
  switch (outcome) {
    case AutostartOutcome::kOn:
      return {ToastKind::kDone, kAutostartOn};
    case AutostartOutcome::kOnFailed:
      return {ToastKind::kFailed, kAutostartOnFailed};
    case AutostartOutcome::kOff:
      return {ToastKind::kDone, kAutostartOff};
    case AutostartOutcome::kOffFailed:
      break;
  }
  return {ToastKind::kFailed, kAutostartOffFailed};
}

}  // namespace velora::ui
