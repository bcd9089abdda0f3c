#include "ui/item_grid.h"

#include <algorithm>

#include "assets/images/builtin_images.h"
#include "formats/icon_file.h"
#include "ui/core_types.h"

namespace velora::ui {
namespace {

// Cells decode their pictures at 100 × 100 and draw them at 40 × 40 design pixels, so they stay
// sharp up to 250 %.
constexpr Size kDecodeSize{100, 100};

HCURSOR LoadPressPointer() {
  const auto images = formats::ParseCursorFile(assets::ImageBytesOf(assets::BuiltinImage::kPressPointer));
  if (!images) return nullptr;
  // CreateIconFromResourceEx takes a cursor as a resource holds it, the hotspot in front.
  std::string resource = formats::CursorResource(images->front());
  return CreateIconFromResourceEx(reinterpret_cast<PBYTE>(resource.data()),
                                  static_cast<DWORD>(resource.size()), FALSE, 0x00030000, 0, 0,
                                  LR_DEFAULTCOLOR);
}

}  // namespace

ItemGrid::ItemGrid(toolkit::IconList& list, const PanelLook& look, exec::Navigation& at, store::Database& db,
                   std::filesystem::path data_dir)
    : list_(list),
      look_(look),
      model_(db, std::move(data_dir), *this, at),
      press_pointer_(LoadPressPointer()) {
  list_.on_press = [this](int cell) { OnPress(cell); };
  list_.on_release = [this](int) { OnRelease(); };
  list_.on_double_click = [this](int cell) {
    if (cell >= 0) model_.DoubleClick(cell, double_click_opens && double_click_opens());
  };
  list_.on_right_click = [this](int cell) {
    if (cell >= 0 && model_.RightClick(cell)) {
      if (open_item_menu) open_item_menu(model_.CurrentIsWebItem());
    }
  };
  list_.on_hover = [this](int cell) {
    if (show_tip) show_tip(cell >= 0 ? model_.TipAt(cell) : std::string());
  };
  list_.on_wheel = [this](int delta) { Wheel(delta); };
  list_.describe = [this](int cell) { return model_.DescriptionAt(cell); };
  // An assistive tool's default action opens the item as a click does.
  list_.on_activate = [this](int cell) {
    if (!model_.Select(cell)) return;
    ShowSelection();
    LaunchSelected();
  };
}

void ItemGrid::Refresh() {
  model_.Refresh();
  Show();
}

bool ItemGrid::Wheel(int delta) {
  if (!model_.Wheel(delta)) return false;  // the model has read the new page already
  Show();
  return true;
}

void ItemGrid::Show() {
  // Two pages' pictures stay, so turning back and forth decodes nothing.
  images_.SetCapacity(std::max(toolkit::ImageCache::kDefaultCapacity, 2 * model_.cells().size()));
  list_.SuspendRedraw();
  list_.Delete(0, list_.Count());
  for (const exec::GridCell& cell : model_.cells()) {
    const int index = list_.Append();
    if (!cell.has_item) continue;
    list_.SetImage(index, ImageOf(cell.image));
    list_.SetText(index, cell.caption, look_.CaptionColour());
  }
  ShowSelection();
  const bool nothing_found = model_.finding() && model_.item_count() == 0;
  list_.SetHint(nothing_found ? hint_ : std::string(), look_.CaptionColour());
  list_.ResumeRedraw();
  // The cell under the pointer may hold another item now; its tip returns on the next move.
  if (show_tip) show_tip({});
}

void ItemGrid::ShowSelection() { list_.SetSelected(model_.selected().value_or(-1), look_.CaptionColour()); }

void ItemGrid::ShowFound(std::vector<exec::FoundItem> found, std::string_view hint) {
  hint_ = hint;
  model_.ShowFound(std::move(found));
  Refresh();
}

void ItemGrid::EndFind() {
  if (!model_.finding()) return;
  model_.EndFind();
  Refresh();
}

void ItemGrid::MoveSelection(exec::SelectionMove move) {
  if (model_.MoveSelection(move, list_.Columns())) {
    Show();
  } else {
    ShowSelection();
  }
}

bool ItemGrid::LaunchSelected() {
  press_ms_ = GetTickCount64();  // a key is no long press
  return model_.LaunchSelected();
}

std::optional<POINT> ItemGrid::SelectForMenu() {
  if (!model_.MakeSelectedCurrent()) return std::nullopt;
  const RECT cell = list_.CellRect(*model_.selected());
  POINT middle{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
  ClientToScreen(list_.hwnd(), &middle);
  return middle;
}

void ItemGrid::SetCellImage(int cell, exec::ImageBytes image) {
  if (!model_.CodeAt(cell)) return;
  list_.SetImage(cell, ImageOf(image));
  model_.SetCellImage(cell, std::move(image));
}

std::shared_ptr<const toolkit::Image> ItemGrid::ImageOf(const exec::ImageBytes& bytes) {
  if (bytes.empty()) return nullptr;
  bool builtin = false;
  for (std::size_t i = 0; i < assets::kBuiltinImageCount && !builtin; ++i) {
    builtin = assets::ImageBytesOf(static_cast<assets::BuiltinImage>(i)).data() == bytes.bytes().data();
  }
  if (builtin) {
    auto& cached = builtin_images_[bytes.bytes().data()];
    if (!cached) cached = toolkit::DecodeImage(bytes.bytes(), kDecodeSize);
    return cached;
  }
  return images_.Get(bytes.bytes(), kDecodeSize);
}

void ItemGrid::OnPress(int cell) {
  if (cell < 0) return;
  pressed_ = true;
  press_ms_ = GetTickCount64();
  if (model_.Press(cell)) {
    list_.SetPointer(press_pointer_.get());
    SetCursor(press_pointer_.get());
    list_.CaptureMouse();
  }
}

void ItemGrid::OnRelease() {
  if (!pressed_) return;
  list_.ReleaseMouse();
  list_.SetPointer(nullptr);
  pressed_ = false;
  if (model_.FinishClick(double_click_opens && double_click_opens()) == exec::ClickOutcome::kCaptionDrag &&
      drag_window) {
    drag_window();
  }
}

void ItemGrid::Launch(const exec::LaunchTarget& target) {
  if (!launch_) return;
  exec::LaunchTarget pressed = target;
  pressed.press_ms = press_ms_;
  launch_->Launch(pressed);
  if (on_launched) on_launched(target);
}

}  // namespace velora::ui
