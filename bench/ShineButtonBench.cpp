// One paint of a 75 x 25 shine speed button with a 16 x 16 glyph and a caption, up, active and
// disabled, against the platform speed button's plain paint of the same size as the reference.
#include <benchmark/benchmark.h>

#include <memory>

#include "controls/ShineSpdBtn/ShineSpdBtn.h"
#include "platform/controls/Application.h"
#include "platform/controls/Buttons.h"
#include "platform/controls/Form.h"
#include "platform/host/HeadlessHost.h"

namespace {

// A 16 x 16 picture: a ring on the olive key colour.
std::unique_ptr<TBitmap> RingGlyph()
{
    auto glyph = std::make_unique<TBitmap>(16, 16, pf32bit);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const int dx = 2 * x - 15, dy = 2 * y - 15, d = dx * dx + dy * dy;
            glyph->SetPixelRGB(x, y, d < 100 || d > 196 ? 0x808000 : 0x2040C0 + x * 8);
        }
    return glyph;
}

enum class Look { Up, Active, Disabled };

void PaintShine(benchmark::State& state, Look look)
{
    THeadlessHost host;
    auto* form = new TForm(Application);
    form->SetBounds(0, 0, 100, 40);
    form->Show();
    auto* button = new TShineSpeedButton(form);
    button->SetBounds(0, 0, 75, 25);
    button->SetCaption("Open");
    button->SetGlyph(RingGlyph().get());
    button->SetParent(form);
    host.MoveTo(look == Look::Active ? 30 : 90, 12);
    if (look == Look::Disabled)
        button->SetEnabled(false);
    host.ProcessPaints();
    const TRect clip = button->BoundsRect();
    for (auto _ : state) {
        button->PaintControl(form->BackBuffer(), {0, 0}, clip);
        benchmark::ClobberMemory();
    }
    state.SetLabel(look == Look::Active ? "sbActiveUp" : look == Look::Disabled ? "sbDisabled" : "sbUp");
}

void ShineButton_Up(benchmark::State& state) { PaintShine(state, Look::Up); }
void ShineButton_Active(benchmark::State& state) { PaintShine(state, Look::Active); }
void ShineButton_Disabled(benchmark::State& state) { PaintShine(state, Look::Disabled); }

void Reference_SpeedButton(benchmark::State& state)
{
    THeadlessHost host;
    auto* form = new TForm(Application);
    form->SetBounds(0, 0, 100, 40);
    form->Show();
    auto* button = new TSpeedButton(form);
    button->SetBounds(0, 0, 75, 25);
    button->SetCaption("Open");
    button->SetParent(form);
    host.ProcessPaints();
    const TRect clip = button->BoundsRect();
    for (auto _ : state) {
        button->PaintControl(form->BackBuffer(), {0, 0}, clip);
        benchmark::ClobberMemory();
    }
}

} // namespace

BENCHMARK(Reference_SpeedButton)->Unit(benchmark::kMicrosecond);
BENCHMARK(ShineButton_Up)->Unit(benchmark::kMicrosecond);
BENCHMARK(ShineButton_Active)->Unit(benchmark::kMicrosecond);
BENCHMARK(ShineButton_Disabled)->Unit(benchmark::kMicrosecond);
