// The object names the POV-Ray and VRML exports make from a file's title.
#include <gtest/gtest.h>

#include "export/object_name.h"
#include "export/pov_writer.h"
#include "export/vrml_writer.h"
#include "tests/unit/test_support.h"

namespace orvanel::test {
namespace {

TEST(ObjectNameTest, TitlesBecomeNamesEachFormatAccepts) {
    const struct {
        const char* title;
        const char* pov;
        const char* vrml;
    } cases[] = {
        {"vase", "vase", "vase"},
        {"Vase_2", "Vase_2", "Vase_2"},
        {"my vase", "my_vase", "my_vase"},
        {"1vase", "_1vase", "_1vase"},
        {"2024", "_2024", "_2024"},
        {"bowl-v2.old", "bowl_v2_old", "bowl-v2_old"},
        {"-bowl", "_bowl", "_bowl"},
        {"+1", "_1", "_1"},
        {"a#b'c\"d,e[f]g{h}i\\j", "a_b_c_d_e_f_g_h_i_j", "a_b_c_d_e_f_g_h_i_j"},
        {"tab\there", "tab_here", "tab_here"},
        {"", "_", "_"},
        // A multi-byte character is one character; a byte that begins none is one too.
        {"vas\xc3\xa9", "vas_", "vas\xc3\xa9"},
        {"\xe2\x82\xac"
         "5",
         "_5",
         "\xe2\x82\xac"
         "5"},
        {"bad\xff"
         "byte",
         "bad_byte", "bad_byte"},
        {"\xc0\xaf", "__", "__"},  // an overlong "/" is no character
        // Keywords of each format: a "_" before them.
        {"box", "_box", "box"},
        {"lathe", "_lathe", "lathe"},
        {"x", "_x", "x"},
        {"cos", "_cos", "cos"},
        {"b-spline", "_b_spline", "b-spline"},  // reserved only once renamed
        {"Box", "Box", "Box"},
        {"TRUE", "TRUE", "_TRUE"},
        {"DEF", "DEF", "_DEF"},
        {"field", "field", "_field"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PovObjectName(c.title), c.pov) << c.title;
        EXPECT_EQ(VrmlObjectName(c.title), c.vrml) << c.title;
    }
}

TEST(ObjectNameTest, TheWritersNameTheObjectByTheRule) {
    DocFixture g;
    AddPoints(*g, {{10, 200}, {50, 180}, {80, 100}, {60, 20}});
    const std::string pov = PovFileText(*g, {true, 1, "my vase"}, GetProfileExtent(*g));
    EXPECT_NE(pov.find("#declare my_vase = \n"), std::string::npos) << pov;
    const std::string vrml = VrmlFileText(*g, "1 vase", {}).text;
    EXPECT_NE(vrml.find("\nDEF _1_vase Shape {\n"), std::string::npos) << vrml;
}

}  // namespace
}  // namespace orvanel::test
