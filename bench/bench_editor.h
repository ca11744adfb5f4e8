// An editor without a window for the editing tools' benchmarks: the tools
// drive a document whose view forwards the selection hooks back to them.
#pragma once

#include <string_view>

#include "document/document.h"
#include "editor/edit_tools.h"
#include "tests/support/test_doubles.h"

namespace orvanel::bench {

class ForwardingView final : public EditorViewHooks {
public:
    void OnUpdate() override {}
    void Repaint() override {}
    void FreeSelection() override { tools->FreeSelection(); }
    void BuildSelection() override { tools->BuildSelection(); }
    EditTools* tools = nullptr;
};

}  // namespace orvanel::bench
