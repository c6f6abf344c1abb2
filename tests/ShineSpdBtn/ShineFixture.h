#pragma once
// A shown form on the headless host, with shine speed buttons placed on it.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "controls/ShineSpdBtn/ShineSpdBtn.h"
#include "platform/controls/Application.h"
#include "platform/controls/Form.h"
#include "platform/host/HeadlessHost.h"

inline void PrintTo(TShineButtonState s, std::ostream* os)
{
    static const char* const names[] = {"sbActiveDown", "sbDown", "sbActiveUp", "sbUp", "sbDisabled"};
    *os << (s <= sbDisabled ? names[s] : "?");
}

class ShineFormTest : public testing::Test {
protected:
    void SetUp() override
    {
        form = new TForm(Application);
        form->SetBounds(100, 100, 200, 100);
        form->SetColor(clWhite);
        form->Show();
        host.ProcessPaints();
    }

    TShineSpeedButton* AddButton(int left, int top, const std::string& name)
    {
        auto* b = new TShineSpeedButton(form);
        b->SetName(name);
        b->SetBounds(left, top, 25, 25);
        b->SetParent(form);
        // Every event of interest lands in `events`, named by button.
        b->OnClick = [this, name](TObject*) { Log(name + " click"); };
        b->OnDblClick = [this, name](TObject*) { Log(name + " dblclick"); };
        b->OnMouseEnter = [this, name](TObject*, TShiftState, int, int) { Log(name + " enter"); };
        b->OnMouseLeave = [this, name](TObject*, TShiftState, int, int) { Log(name + " leave"); };
        host.ProcessPaints();
        return b;
    }

    void Log(const std::string& event) { events += (events.empty() ? "" : ", ") + event; }
    // The events since the last call.
    std::string TakeEvents()
    {
        std::string e;
        e.swap(events);
        return e;
    }

    THeadlessHost host;
    TForm* form = nullptr;
    std::string events;
};
