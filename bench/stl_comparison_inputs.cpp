// Writes the two inputs of the STL comparison: a closed profile of N points,
// and the same curve sampled as the STL export samples it, as the polygon of
// an OpenSCAD rotate_extrude.
//   orvanel_bench_inputs POINTS STEPS SECTIONS OUT.lum OUT.scad
#include <algorithm>
#include <fstream>
#include <iostream>
#include <string>

#include "bench/bench_profiles.h"
#include "export/number_text.h"
#include "preview/mesh.h"
#include "tests/support/test_doubles.h"

int main(int argc, char** argv) {
    using namespace orvanel;
    if (argc != 6) {
        std::cerr << "usage: orvanel_bench_inputs POINTS STEPS SECTIONS OUT.lum OUT.scad\n";
        return 2;
    }
    const int points = std::stoi(argv[1]);
    const int steps = std::stoi(argv[2]);
    const int sections = std::stoi(argv[3]);
    const auto bytes = bench::ProfileBytes(points, true);
    std::ofstream(argv[4], std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));

    MemorySettingsStore settings;
    RecordingPrompter prompter;
    CTavrinEditorDoc doc(settings, prompter);
    bench::LoadProfile(doc, points, true);
    auto samples =
        SampleRevolutionProfile({doc.GetHead(), doc.GetTail(), doc.GetPointCount(), true, steps},
                                WalkDirection::FromHead, SegmentEnds::Exact);
    samples.pop_back();  // the ring's last sample is its first
    float bottom = samples.front().y;
    for (const ProfileSample& s : samples) bottom = std::max(bottom, s.y);

    std::string scad = "rotate_extrude($fn=" + std::to_string(sections) + ") polygon(points=[";
    for (const ProfileSample& s : samples) {
        scad += '[';
        AppendShortest(scad, s.x);
        scad += ',';
        AppendShortest(scad, bottom - s.y);
        scad += "],";
    }
    scad.back() = ']';
    scad += ");\n";
    std::ofstream(argv[5]) << scad;
    return 0;
}
