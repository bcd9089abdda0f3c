#include "ui/toasts_win32.h"

#include "text/utf.h"
#include "toolkit/control_host.h"
#include "toolkit/gdi_objects.h"
#include "toolkit/gdiplus.h"
#include "ui/launcher_names.h"

namespace velora::ui {
namespace {

constexpr int kIconSize = 24;
constexpr int kPadding = 14;

Gdiplus::Color WithAlpha(std::uint32_t rgb, std::uint8_t alpha) {
  return Gdiplus::Color(alpha, (rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

// The two icons: a green disc with a tick, a red disc with a cross.
void DrawIcon(Gdiplus::Graphics& g, ToastKind kind, float x, float y, float size, std::uint8_t alpha) {
  Gdiplus::SolidBrush disc(WithAlpha(kind == ToastKind::kDone ? 0x67C23A : 0xF56C6C, alpha));
  g.FillEllipse(&disc, x, y, size, size);
  Gdiplus::Pen mark(WithAlpha(0xFFFFFF, alpha), size / 9);
  mark.SetStartCap(Gdiplus::LineCapRound);
  mark.SetEndCap(Gdiplus::LineCapRound);
  const float u = size / 24;
  if (kind == ToastKind::kDone) {
    const Gdiplus::PointF tick[] = {
        {x + 6 * u, y + 12.5f * u}, {x + 10.5f * u, y + 17 * u}, {x + 18 * u, y + 8 * u}};
    g.DrawLines(&mark, tick, 3);
  } else {
    g.DrawLine(&mark, x + 8 * u, y + 8 * u, x + 16 * u, y + 16 * u);
    g.DrawLine(&mark, x + 16 * u, y + 8 * u, x + 8 * u, y + 16 * u);
  }
}

}  // namespace

ToastView::ToastView(toolkit::ControlHost& host, toolkit::ControlArgs args)
    : CustomControl(host, toolkit::type_word::kGroupBox, std::move(args)) {}

void ToastView::Draw(HDC dc, RECT client) {
  // Drawn over the window's backdrop with the toast's opacity, so the fade shows on any system.
  toolkit::CheckGdiplusLive();
  Gdiplus::Graphics g(dc);
  g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  g.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAliasGridFit);
  const bool contrast = host().high_contrast();
  const std::uint32_t paper = contrast ? toolkit::SystemColour(COLOR_WINDOW) & 0xFFFFFF : 0xF4F4F5;
  const std::uint32_t ink = contrast ? toolkit::SystemColour(COLOR_WINDOWTEXT) & 0xFFFFFF : 0x303133;
  Gdiplus::SolidBrush fill(WithAlpha(paper, alpha_));
  Gdiplus::Pen edge(WithAlpha(contrast ? ink : 0xDCDFE6, alpha_), 1.0f);
  g.FillRectangle(&fill, 0, 0, client.right, client.bottom);
  g.DrawRectangle(&edge, 0, 0, client.right - 1, client.bottom - 1);
  const float icon = static_cast<float>(host().Scale(kIconSize));
  const float pad = static_cast<float>(host().Scale(kPadding));
  DrawIcon(g, kind_, pad, (static_cast<float>(client.bottom) - icon) / 2, icon, alpha_);

  // GDI draws the text: it honours the font substitutes that GDI+ ignores. The fade mixes
  // the ink into the fill, since GDI text has no alpha.
  const auto mix = [this](int ink, int paper) { return (ink * alpha_ + paper * (255 - alpha_)) / 255; };
  toolkit::Caption caption = Captions().front();
  const toolkit::Selection font_selection(dc, caption.font);
  SetBkMode(dc, TRANSPARENT);
  const auto channel = [](std::uint32_t rgb, int shift) { return static_cast<int>((rgb >> shift) & 0xFF); };
  SetTextColor(dc, RGB(mix(channel(ink, 16), channel(paper, 16)), mix(channel(ink, 8), channel(paper, 8)),
                       mix(channel(ink, 0), channel(paper, 0))));
  DrawTextW(dc, caption.text.c_str(), static_cast<int>(caption.text.size()), &caption.box, caption.format);
}

std::vector<toolkit::Caption> ToastView::Captions() const {
  RECT client{};
  GetClientRect(hwnd(), &client);
  const int pad = host().Scale(kPadding);
  const RECT box{2 * pad + host().Scale(kIconSize), 0, client.right - pad, client.bottom};
  return {{text::Widen(Text()), host().Font(12), box, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX}};
}

Toasts::~Toasts() {
  // The views belong to the window's controls, which may already be gone.
  for (auto& [id, toast] : running_) timers_.Stop(id);
}

int Toasts::WindowDesignWidth() const {
  RECT client{};
  GetClientRect(controls_.window(), &client);
  return MulDiv(client.right, 96, controls_.dpi());
}

void Toasts::Show(ToastKind kind, std::string_view text) {
  const toolkit::Control* model = controls_.Find(names::kToastTemplate);
  if (!model) return;
  const UINT_PTR id = next_id_++;
  Running& toast = running_[id];
  toast.kind = kind;
  toast.text = std::string(text);
  toast.view = &controls_.Add<ToastView>({std::string(names::kToastTemplate) + std::to_string(id),
                                          model->parent(), model->rect(), model->Text()});
  toast.view->Show(false);
  toast.view->SetOverlay(true);  // above every panel, also one opened while it shows
  timers_.Start(id, kToastCloneWaitMs, [this, id] { Begin(id); });
}

void Toasts::Begin(UINT_PTR id) {
  Running& toast = running_.at(id);
  toast.motion = std::make_unique<ToastMotion>(showing_, WindowDesignWidth(), toast.text);
  toast.view->SetText(toast.text);
  toast.view->SetKind(toast.kind);
  toast.view->Move(toast.motion->rect());
  toast.view->Show(true);
  SetWindowPos(toast.view->hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  toast.view->Announce();
  toast.phase_began = GetTickCount64();
  timers_.Start(id, kSlideFrameMs, [this, id] { Slide(id); });
}

void Toasts::StepFrames(Running& toast, UINT frame_ms) {
  const ToastMotion::Phase phase = toast.motion->phase();
  const auto due = static_cast<int>((GetTickCount64() - toast.phase_began) / frame_ms);
  do {
    toast.motion->Step();
  } while (++toast.frames < due && toast.motion->phase() == phase);
}

void Toasts::Slide(UINT_PTR id) {
  Running& toast = running_.at(id);
  StepFrames(toast, kSlideFrameMs);
  toast.view->Move(toast.motion->rect());
  if (toast.motion->phase() != ToastMotion::Phase::kHold) return;
  timers_.Start(id, kToastHoldMs, [this, id] {
    Running& held = running_.at(id);
    held.motion->EndHold();
    held.phase_began = GetTickCount64();
    held.frames = 0;
    timers_.Start(id, kFadeFrameMs, [this, id] { Fade(id); });
  });
}

void Toasts::Fade(UINT_PTR id) {
  Running& toast = running_.at(id);
  StepFrames(toast, kFadeFrameMs);
  toast.view->SetAlpha(toast.motion->alpha());
  if (toast.motion->phase() != ToastMotion::Phase::kDone) return;
  timers_.Stop(id);
  controls_.Destroy(*toast.view);
  running_.erase(id);
}

}  // namespace velora::ui
