// An editor without a window for the editing tools' benchmarks: the tools
// drive a document whose view forwards the selection hooks back to them.
#pragma once

#include <string_view>

#include "document/document.h"
#include "editor/edit_tools.h"

namespace orvanel::bench {

class NullOwner final : public EditToolsOwner {
public:
    EditorLook Look() const override { return {}; }
    bool IsGridOn() const override { return false; }
    void CaptureMouse() override {}
    void ReleaseMouse() override {}
    void InvalidateLive(const IntRect&) override {}
    void Invalidate(const IntRect&) override {}
    void InvalidateAll() override {}
    void SetStatusText(StatusPane, std::string_view, bool) override {}
    void Scroll(ScrollBar, ScrollCode) override {}
};

class ForwardingView final : public EditorViewHooks {
public:
    void OnUpdate() override {}
    void Repaint() override {}
    void FreeSelection() override { tools->FreeSelection(); }
    void BuildSelection() override { tools->BuildSelection(); }
    EditTools* tools = nullptr;
};

}  // namespace orvanel::bench
