// The preview mesh: rows, strips, normals, scale, extents and the failure path,
// as the sink receives them.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "preview/mesh.h"
#include "resources/strings.h"
#include "tests/unit/test_support.h"

namespace orvanel::test {
namespace {

struct Recorded {
    int begins = 0;
    int ends = 0;
    std::vector<std::vector<MeshVertex>> strips;
};

class RecordingMeshSink final : public MeshSink {
public:
    void BeginList() override {
        ++rec.begins;
        rec.strips.clear();
    }
    void QuadStrip(const MeshVertex* vertices, std::size_t count) override {
        rec.strips.emplace_back(vertices, vertices + count);
    }
    void EndList() override { ++rec.ends; }
    Recorded rec;
};

struct V3 {
    double x, y, z;
};
V3 Pos(const MeshVertex& v) { return {v.x, v.y, v.z}; }
V3 Nrm(const MeshVertex& v) { return {v.nx, v.ny, v.nz}; }
double Dot(V3 a, V3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
bool Same(const MeshVertex& a, const MeshVertex& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z && a.nx == b.nx && a.ny == b.ny && a.nz == b.nz;
}

// Row r of the mesh at column j, read back from the strips.
const MeshVertex& At(const Recorded& rec, int r, int j) {
    if (r < static_cast<int>(rec.strips.size())) return rec.strips[r][2 * j];
    return rec.strips[r - 1][2 * j + 1];
}
int Rows(const Recorded& rec) { return rec.strips.empty() ? 0 : int(rec.strips.size()) + 1; }

::testing::AssertionResult AllFiniteAndUnit(const Recorded& rec) {
    for (const auto& strip : rec.strips) {
        for (const MeshVertex& v : strip) {
            for (float f : {v.x, v.y, v.z, v.nx, v.ny, v.nz}) {
                if (!std::isfinite(f)) return ::testing::AssertionFailure() << "non-finite value";
            }
            const double length = std::sqrt(Dot(Nrm(v), Nrm(v)));
            if (std::fabs(length - 1.0) > 1e-5) {
                return ::testing::AssertionFailure() << "normal of length " << length;
            }
        }
    }
    return ::testing::AssertionSuccess();
}

class MeshTest : public ::testing::Test {
protected:
    void SetUp() override {
        g->m_nPreviewSteps = 5;
        g->m_nSections = 24;
    }
    Recorded Build(bool* closedSurface = nullptr) {
        RecordingMeshSink sink;
        extents = g->BuildPreviewList(sink, closedSurface);
        return sink.rec;
    }
    void Anchor(int index) { g->ToggleAnchor(PointAt(*g, index)); }

    DocFixture g;
    std::optional<MeshExtents> extents;
};

const std::initializer_list<XY> kVase = {{10, 200}, {50, 180}, {80, 100}, {60, 20}};

TEST_F(MeshTest, FourOpenPointsGiveSixRowsOfTwentyFourQuadsWithTheClosingPair) {
    AddPoints(*g, kVase);
    const Recorded rec = Build();
    EXPECT_EQ(rec.begins, 1);
    EXPECT_EQ(rec.ends, 1);
    ASSERT_EQ(rec.strips.size(), 5u);
    for (const auto& strip : rec.strips) {
        ASSERT_EQ(strip.size(), 2u * 25);
        EXPECT_TRUE(Same(strip[48], strip[0]));
        EXPECT_TRUE(Same(strip[49], strip[1]));
    }
    EXPECT_TRUE(AllFiniteAndUnit(rec));
    // Walked from the tail: the curve runs from the third point to the second.
    // Scale 80 (the larger of radius 80 and height 80), centre y 140, z mirrored.
    const MeshVertex& first = At(rec, 0, 0);
    EXPECT_FLOAT_EQ(first.x, 80.0f / 80.0f);
    EXPECT_FLOAT_EQ(first.y, 0.0f);
    EXPECT_FLOAT_EQ(first.z, -(100.0f - 140.0f) / 80.0f);
    const MeshVertex& last = At(rec, 5, 0);
    EXPECT_NEAR(last.x, 50.0 / 80.0, 1e-6);
    EXPECT_NEAR(last.z, -(180.0 - 140.0) / 80.0, 1e-6);
    // Every column holds the same rows turned about the axis.
    const MeshVertex& quarter = At(rec, 3, 6);
    EXPECT_NEAR(quarter.y, At(rec, 3, 0).x, 1e-6);
    EXPECT_EQ(quarter.z, At(rec, 3, 0).z);
}

TEST_F(MeshTest, BothMiddlePointsAnchoredGiveOneStrip) {
    AddPoints(*g, kVase);
    Anchor(1);
    Anchor(2);
    const Recorded rec = Build();
    ASSERT_EQ(Rows(rec), 2);
    EXPECT_TRUE(AllFiniteAndUnit(rec));
    // A cone frustum: the one segment is the straight chord; the open last row
    // takes the normals of the row before it.
    EXPECT_FLOAT_EQ(At(rec, 1, 0).x, 50.0f / 80.0f);
    EXPECT_TRUE(Same(MeshVertex{At(rec, 1, 7).nx, At(rec, 1, 7).ny, At(rec, 1, 7).nz, 0, 0, 0},
                     MeshVertex{At(rec, 0, 7).nx, At(rec, 0, 7).ny, At(rec, 0, 7).nz, 0, 0, 0}));
}

TEST_F(MeshTest, ClosedThreePointsCloseTheRingAndTheLastRowTakesTheFirstRowsNormals) {
    AddPoints(*g, {{100, 100}, {200, 150}, {120, 220}}, true);
    const Recorded rec = Build();
    ASSERT_EQ(Rows(rec), 1 + 3 * 5);
    EXPECT_TRUE(AllFiniteAndUnit(rec));
    const int last = Rows(rec) - 1;
    for (int j : {0, 5, 23}) {
        EXPECT_NEAR(At(rec, last, j).x, At(rec, 0, j).x, 1e-5);
        EXPECT_NEAR(At(rec, last, j).z, At(rec, 0, j).z, 1e-5);
        EXPECT_EQ(At(rec, last, j).nx, At(rec, 0, j).nx);
        EXPECT_EQ(At(rec, last, j).ny, At(rec, 0, j).ny);
        EXPECT_EQ(At(rec, last, j).nz, At(rec, 0, j).nz);
    }
}

TEST_F(MeshTest, ACurveStartingOnTheAxisGivesRowZeroTheNormalsOfRowOne) {
    // Walked from the tail, the second point is the one before the tail.
    AddPoints(*g, {{40, 10}, {60, 60}, {0, 150}, {30, 200}});
    const Recorded rec = Build();
    ASSERT_GE(Rows(rec), 3);
    EXPECT_TRUE(AllFiniteAndUnit(rec));
    for (int j = 0; j < 24; ++j) {
        EXPECT_EQ(At(rec, 0, j).x, 0.0f);
        EXPECT_EQ(At(rec, 0, j).nx, At(rec, 1, j).nx);
        EXPECT_EQ(At(rec, 0, j).nz, At(rec, 1, j).nz);
    }
}

TEST_F(MeshTest, FlippingReversesTheRowsAndTurnsEveryNormalAround) {
    AddPoints(*g, {{20, 10}, {60, 40}, {90, 120}, {70, 200}, {40, 260}});
    const Recorded plain = Build();
    g->m_bFlipNormals = true;
    const Recorded flipped = Build();
    const int rows = Rows(plain);
    ASSERT_EQ(Rows(flipped), rows);
    for (int r = 0; r < rows; ++r) {
        for (int j : {0, 11}) {
            const V3 a = Pos(At(plain, r, j));
            const V3 b = Pos(At(flipped, rows - 1 - r, j));
            EXPECT_NEAR(a.x, b.x, 1e-5);
            EXPECT_NEAR(a.z, b.z, 1e-5);
            EXPECT_LT(Dot(Nrm(At(plain, r, j)), Nrm(At(flipped, rows - 1 - r, j))), 0.0);
        }
    }
}

TEST_F(MeshTest, TheLongerOfHeightAndRadiusMapsToOne) {
    struct Case {
        std::initializer_list<XY> points;
        double xMax, zMax;
    };
    // Evenly spaced points on a line give a straight curve. Tall: height 150
    // against radius 100; wide: radius 300 and no height.
    for (const Case& c : {Case{{{100, 100}, {100, 250}, {100, 400}, {100, 550}}, 100.0 / 150, 0.5},
                          Case{{{100, 200}, {200, 200}, {300, 200}, {400, 200}}, 1.0, 0.0}}) {
        DocFixture f;
        f->m_nPreviewSteps = 5;
        f->m_nSections = 24;
        AddPoints(*f, c.points);
        RecordingMeshSink sink;
        const auto e = f->BuildPreviewList(sink, nullptr);
        ASSERT_TRUE(e.has_value());
        EXPECT_NEAR(e->xMax, c.xMax, 1e-6);
        EXPECT_NEAR(e->zMax, c.zMax, 1e-6);
        EXPECT_EQ(e->xMin, -e->xMax);
        EXPECT_EQ(e->zMin, -e->zMax);
        EXPECT_NEAR(e->yMax, e->xMax, 1e-6);  // a quarter turn lies among 24 sections
    }
}

TEST_F(MeshTest, ExtentsAreTheLargestEmittedCoordinates) {
    AddPoints(*g, {{30, 40}, {60, 50}, {90, 130}, {40, 210}, {10, 300}});
    const Recorded rec = Build();
    ASSERT_TRUE(extents.has_value());
    MeshExtents expected;
    for (const auto& strip : rec.strips) {
        for (const MeshVertex& v : strip) {
            expected.xMax = std::max(expected.xMax, double(v.x));
            expected.yMax = std::max(expected.yMax, double(v.y));
            expected.zMax = std::max(expected.zMax, double(v.z));
        }
    }
    expected.xMin = -expected.xMax;
    expected.yMin = -expected.yMax;
    expected.zMin = -expected.zMax;
    EXPECT_EQ(*extents, expected);
}

TEST_F(MeshTest, ShortProfilesRecordAnEmptyListAndNoExtents) {
    for (std::initializer_list<XY> points :
         {std::initializer_list<XY>{}, {{10, 10}}, {{10, 10}, {20, 20}, {30, 30}}}) {
        DocFixture f;
        AddPoints(*f, points);
        RecordingMeshSink sink;
        bool closedSurface = true;
        EXPECT_FALSE(f->BuildPreviewList(sink, &closedSurface).has_value());
        EXPECT_FALSE(closedSurface);
        EXPECT_EQ(sink.rec.begins, 1);
        EXPECT_EQ(sink.rec.ends, 1);
        EXPECT_TRUE(sink.rec.strips.empty());
    }
}

TEST_F(MeshTest, TheSurfaceIsClosedWhenTheProfileIsOrWhenItsCurveEndsOnTheAxisAtBothEnds) {
    struct Case {
        std::initializer_list<XY> points;
        bool closed;
        bool surface;
    };
    for (const Case& c : {Case{{{30, 0}, {0, 20}, {80, 100}, {0, 180}, {30, 200}}, false, true},
                          Case{{{30, 0}, {0, 20}, {80, 100}, {5, 180}, {30, 200}}, false, false},
                          Case{{{30, 0}, {40, 20}, {80, 100}, {50, 180}}, true, true}}) {
        DocFixture f;
        AddPoints(*f, c.points, c.closed);
        RecordingMeshSink sink;
        bool closedSurface = !c.surface;
        f->BuildPreviewList(sink, &closedSurface);
        EXPECT_EQ(closedSurface, c.surface);
        EXPECT_TRUE(AllFiniteAndUnit(sink.rec));
    }
}

TEST_F(MeshTest, AMeshBeyondMemoryKeepsThePreviousListAndSaysSo) {
    AddPoints(*g, kVase);
    RecordingMeshSink sink;
    ASSERT_TRUE(g->BuildPreviewList(sink, nullptr).has_value());
    const std::size_t strips = sink.rec.strips.size();
    g.prompter.Clear();
    g->m_nPreviewSteps = INT_MAX;
    EXPECT_FALSE(g->BuildPreviewList(sink, nullptr).has_value());
    EXPECT_EQ(g.prompter.Texts(),
              std::vector<std::string>{std::string(text::kInsufficientMemoryPreview)});
    EXPECT_EQ(g.prompter.Entries()[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(sink.rec.begins, 1);
    EXPECT_EQ(sink.rec.strips.size(), strips);
}

TEST_F(MeshTest, DegenerateProfilesGiveFiniteUnitNormalsEverywhere) {
    struct Case {
        const char* what;
        std::initializer_list<XY> points;
        std::initializer_list<int> anchors;
        bool closed;
    };
    const Case cases[] = {
        // Scale 0: every measured point on the axis at one height.
        {"all on one axis point", {{0, 100}, {0, 100}, {0, 100}, {0, 100}}, {}, false},
        {"middle on one axis point", {{300, 100}, {0, 500}, {0, 500}, {300, 900}}, {}, false},
        {"closed on the axis", {{0, 50}, {0, 50}, {0, 50}}, {}, true},
        // Two equal points joined by an anchored chord: two equal samples in a row.
        {"repeated point", {{20, 0}, {40, 50}, {40, 50}, {60, 120}, {50, 200}}, {1, 2}, false},
        // The curve starts on the axis and its first chord runs along it.
        {"along the axis", {{0, 0}, {40, 50}, {0, 80}, {0, 120}, {30, 200}}, {2, 3}, false},
        {"cone tip on the axis", {{0, 0}, {0, 10}, {80, 90}, {90, 100}}, {1, 2}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DocFixture f;
        f->m_nPreviewSteps = 4;
        f->m_nSections = 12;
        AddPoints(*f, c.points, c.closed);
        for (int i : c.anchors) f->ToggleAnchor(PointAt(*f, i));
        RecordingMeshSink sink;
        const auto e = f->BuildPreviewList(sink, nullptr);
        ASSERT_FALSE(sink.rec.strips.empty());
        EXPECT_TRUE(AllFiniteAndUnit(sink.rec));
        ASSERT_TRUE(e.has_value());
        for (double v : {e->xMax, e->yMax, e->zMax}) EXPECT_TRUE(std::isfinite(v));
    }
}

TEST_F(MeshTest, AMissingNormalTakesThePreviousRowsOne) {
    AddPoints(*g, {{20, 0}, {40, 50}, {60, 120}, {60, 120}, {50, 200}, {30, 260}, {10, 300}});
    Anchor(2);
    Anchor(3);
    const Recorded rec = Build();
    // Walked from the tail: five samples of a curved segment, then three chords;
    // the middle chord joins the two equal points, so row 7 repeats row 6 and
    // row 6 has no normal of its own.
    ASSERT_EQ(Rows(rec), 9);
    ASSERT_EQ(At(rec, 7, 3).z, At(rec, 6, 3).z);
    ASSERT_EQ(At(rec, 7, 3).x, At(rec, 6, 3).x);
    for (int j = 0; j < 24; ++j) {
        EXPECT_EQ(At(rec, 6, j).nx, At(rec, 5, j).nx);
        EXPECT_EQ(At(rec, 6, j).nz, At(rec, 5, j).nz);
    }
    EXPECT_TRUE(AllFiniteAndUnit(rec));
}

// The mesh as its definition states it: each section samples the curve afresh,
// the whole grid and its normals are stored, then emitted. The builder samples
// once and streams; both must give the same bytes.
Recorded ReferenceMesh(const CTavrinEditorDoc& doc) {
    const int S = doc.m_nSections;
    const WalkDirection dir =
        doc.m_bFlipNormals ? WalkDirection::FromHead : WalkDirection::FromTail;
    int maxX = 0, maxY = 0, minY = INT_MAX;
    for (const ProfilePoint* p = doc.GetHead()->Next(); p != doc.GetTail(); p = p->Next()) {
        maxX = std::max(maxX, p->x);
        maxY = std::max(maxY, p->y);
        minY = std::min(minY, p->y);
    }
    const float sc = float(std::max(maxX, maxY - minY));
    const float cy = float((minY + maxY) * 0.5);
    std::vector<std::vector<V3>> v(S), n;
    const double step = 6.283185307 / S;
    for (int j = 0; j < S; ++j) {
        const float c = float(std::cos(j * step)), s = float(std::sin(j * step));
        auto put = [&](float px, float py) {
            v[j].push_back({px * c / sc, px * s / sc, (py - cy) / sc});
        };
        ForEachCurveSegment(
            doc.GetHead(), doc.GetTail(), doc.IsClosed(), dir, [&](const CurveWindow& w) {
                if (v[j].empty()) put(float(w.b->x), float(w.b->y));
                SampleCurveSegment(w, CurveSampling::PreviewMesh(doc.m_nPreviewSteps),
                                   [&](const CurveSample& p) { put(float(p.x), float(p.y)); });
            });
    }
    const int R = int(v[0].size());
    n.assign(S, std::vector<V3>(R));
    auto fv = [&](int r, int j) {
        const V3 p = v[j][r];
        return std::array<float, 3>{float(p.x), float(p.y), float(p.z)};
    };
    auto normal = [&](int r, int j, float* squares = nullptr) {
        const auto p = fv(r, j), a = fv(r + 1, j), b = fv(r, (j + 1) % S);
        const float ux = a[0] - p[0], uy = a[1] - p[1], uz = a[2] - p[2];
        const float vx = b[0] - p[0], vy = b[1] - p[1], vz = b[2] - p[2];
        const float cx = vy * uz - vz * uy, cyy = vz * ux - vx * uz, cz = vx * uy - vy * ux;
        const float sq = cx * cx + cyy * cyy + cz * cz;
        if (squares) *squares = sq;
        const double inv = 1.0 / std::sqrt(double(sq));
        return V3{float(cx * inv), float(cyy * inv), float(cz * inv)};
    };
    for (int r = 0; r + 1 < R; ++r) {
        for (int j = 0; j < S; ++j) n[j][r] = normal(r, j);
    }
    float first = 0;
    normal(0, 0, &first);
    if (first == 0) {
        for (int j = 0; j < S; ++j) n[j][0] = n[j][1];
    }
    for (int j = 0; j < S; ++j) n[j][R - 1] = doc.IsClosed() ? n[j][0] : n[j][R - 2];
    Recorded rec;
    for (int r = 0; r + 1 < R; ++r) {
        std::vector<MeshVertex> strip;
        for (int k = 0; k <= S; ++k) {
            const int j = k % S;
            for (int rr : {r, r + 1}) {
                const V3 p = v[j][rr], q = n[j][rr];
                strip.push_back(
                    {float(q.x), float(q.y), -float(q.z), float(p.x), float(p.y), -float(p.z)});
            }
        }
        rec.strips.push_back(strip);
    }
    return rec;
}

TEST_F(MeshTest, SamplingOnceGivesTheSameBytesAsSamplingEverySection) {
    struct Case {
        std::initializer_list<XY> points;
        std::initializer_list<int> anchors;
        bool closed, flip;
        int sections, steps;
    };
    const Case cases[] = {
        {kVase, {}, false, false, 24, 5},
        {{{10, 20}, {70, 40}, {95, 160}, {60, 230}, {20, 300}, {5, 320}}, {2}, false, true, 7, 13},
        {{{100, 100}, {200, 150}, {120, 220}, {90, 170}}, {1}, true, false, 200, 40},
        {{{100, 100}, {200, 150}, {120, 220}}, {}, true, true, 3, 1},
    };
    for (const Case& c : cases) {
        DocFixture f;
        AddPoints(*f, c.points, c.closed);
        for (int i : c.anchors) f->ToggleAnchor(PointAt(*f, i));
        f->m_bFlipNormals = c.flip;
        f->m_nSections = c.sections;
        f->m_nPreviewSteps = c.steps;
        RecordingMeshSink sink;
        f->BuildPreviewList(sink, nullptr);
        const Recorded expected = ReferenceMesh(*f);
        ASSERT_EQ(sink.rec.strips.size(), expected.strips.size());
        for (std::size_t r = 0; r < expected.strips.size(); ++r) {
            ASSERT_EQ(sink.rec.strips[r].size(), expected.strips[r].size());
            for (std::size_t k = 0; k < expected.strips[r].size(); ++k) {
                ASSERT_TRUE(Same(sink.rec.strips[r][k], expected.strips[r][k]))
                    << "strip " << r << " vertex " << k;
            }
        }
    }
}

}  // namespace
}  // namespace orvanel::test
