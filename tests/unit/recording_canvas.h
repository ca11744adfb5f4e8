// Canvases that write down every call as a line of text, so that a test can
// compare whole pictures, or find the calls it cares about.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "editor/canvas.h"

namespace orvanel::test {

// The calls every canvas has, recorded; Base is the kind of canvas.
template <class Base>
class CanvasRecorder : public Base {
public:
    void SelectPen(const Pen& pen) override {
        const char* style = pen.style == PenStyle::Solid     ? "solid"
                            : pen.style == PenStyle::Dot     ? "dot"
                            : pen.style == PenStyle::DashDot ? "dashdot"
                                                             : "null";
        Log() << "pen " << style << " " << pen.width << " " << Hex(pen.colour);
        m_pen = pen;
    }
    void SelectBrush(const Brush& brush) override {
        if (brush.hollow) {
            Log() << "brush hollow";
        } else {
            Log() << "brush " << Hex(brush.colour);
        }
        m_brush = brush;
    }
    void SetBackgroundColour(Colour colour) override { Log() << "bk " << Hex(colour); }
    void MoveTo(int x, int y) override { Log() << "move " << x << " " << y; }
    void LineTo(int x, int y) override { Log() << "line " << x << " " << y; }
    void Ellipse(int left, int top, int right, int bottom) override {
        Log() << "ellipse " << left << " " << top << " " << right << " " << bottom;
    }
    void FillRect(int left, int top, int right, int bottom, Colour colour) override {
        Log() << "fill " << left << " " << top << " " << right << " " << bottom << " "
              << Hex(colour);
    }

    const std::vector<std::string>& Calls() const { return m_calls; }
    // The calls whose text starts with `prefix`.
    std::vector<std::string> Only(const std::string& prefix) const {
        std::vector<std::string> out;
        for (const auto& c : m_calls) {
            if (c.rfind(prefix, 0) == 0) out.push_back(c);
        }
        return out;
    }
    const Pen& CurrentPen() const { return m_pen; }
    const Brush& CurrentBrush() const { return m_brush; }
    void Clear() { m_calls.clear(); }

protected:
    // Collects one call's text and appends it when the statement ends.
    class Line {
    public:
        explicit Line(std::vector<std::string>& calls) : m_calls(calls) {}
        ~Line() { m_calls.push_back(m_text.str()); }
        template <class T>
        Line& operator<<(const T& v) {
            m_text << v;
            return *this;
        }

    private:
        std::vector<std::string>& m_calls;
        std::ostringstream m_text;
    };
    Line Log() { return Line(m_calls); }
    static std::string Hex(Colour c) {
        std::ostringstream s;
        s << "#" << std::hex << std::uppercase;
        s.width(6);
        s.fill('0');
        s << c;
        return s.str();
    }

private:
    std::vector<std::string> m_calls;
    Pen m_pen;
    Brush m_brush;
};

class RecordingCanvas final : public CanvasRecorder<LiveCanvas> {
public:
    void SetMixMode(MixMode mode) override {
        Log() << "mix "
              << (mode == MixMode::Copy     ? "copy"
                  : mode == MixMode::Invert ? "invert"
                                            : "notxorpen");
        m_mix = mode;
    }
    void Rectangle(int left, int top, int right, int bottom) override {
        Log() << "rectangle " << left << " " << top << " " << right << " " << bottom;
    }
    MixMode CurrentMixMode() const { return m_mix; }

private:
    MixMode m_mix = MixMode::Copy;
};

class RecordingPageCanvas final : public CanvasRecorder<PageCanvas> {
public:
    void Text(int x, int y, std::string_view text, int height, Colour colour) override {
        Log() << "text " << x << " " << y << " " << height << " " << Hex(colour) << " " << text;
    }
    void SetClip(int left, int top, int right, int bottom) override {
        Log() << "clip " << left << " " << top << " " << right << " " << bottom;
    }
    void ResetClip() override { Log() << "unclip"; }
};

}  // namespace orvanel::test
