#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "corvala/render/CRVL_Pick.h"
#include "corvala/render/CRVL_Vector.h"
#include "platform/gl/gl.h"
#include "tests/render/trace_helpers.h"

using namespace corvala;
using rendertest::C;
using rendertest::Seq;
using rendertest::Trace;

namespace {

std::vector<std::string> g_events;
void Over() { g_events.push_back("over"); }
void NotOver() { g_events.push_back("notover"); }
void Click() { g_events.push_back("click"); }
void NotClick() { g_events.push_back("notclick"); }
void Shape() { glNormal3f(0, 0, 1); }

// Menus live in zero-filled storage, as in the program.
TMENU3D& FreshMenu() {
    static TMENU3D menu;
    std::memset(&menu, 0, sizeof menu);
    return menu;
}

TEST(Menu3D, SetselectonCompilesEachElementNamedAndTranslatedIntoOneList) {
    TMENU3D& m = FreshMenu();
    m.ADDSELECTON(GLVECTOR(1, 2, 3), 10);
    m.ADDSELECTON(GLVECTOR(-4, 5.5, 0), 20);
    m.OVER[0] = m.CLICK[1] = true;
    const Seq got = Trace([&] { m.SETSELECTON(Shape); });
    ASSERT_FALSE(got.empty());
    EXPECT_EQ(
        got, (Seq{C("glGenLists", {1}), C("glNewList", {double(m.EVENTSELECTION), GL_COMPILE}), C("glLoadName", {10}),
                  C("glPushMatrix"), C("glTranslatef", {1, 2, 3}), C("glNormal3f", {0, 0, 1}), C("glPopMatrix"),
                  C("glLoadName", {20}), C("glPushMatrix"), C("glTranslatef", {-4, 5.5, 0}), C("glNormal3f", {0, 0, 1}),
                  C("glPopMatrix"), C("glEndList")}));
    EXPECT_EQ(m.MAXNUMSEL, 2);
    EXPECT_FALSE(m.OVER[0]);
    EXPECT_FALSE(m.CLICK[1]);
}

TEST(Menu3D, EmptyMenuCompilesAnEmptyList) {
    TMENU3D& m = FreshMenu();
    const Seq got = Trace([&] { m.SETSELECTON(Shape); });
    EXPECT_EQ(got, (Seq{C("glGenLists", {1}), C("glNewList", {double(m.EVENTSELECTION), GL_COMPILE}), C("glEndList")}));
    EXPECT_EQ(m.MAXNUMSEL, 0);
}

TEST(Menu3D, ElementsAddedAfterCompilingWaitForTheNextCompile) {
    TMENU3D& m = FreshMenu();
    m.ADDSELECTON(GLVECTOR(0, 0, 0), 1);
    m.SETSELECTON(Shape);
    const uint32_t first = m.EVENTSELECTION;
    m.ADDSELECTON(GLVECTOR(0, 0, 0), 2);
    EXPECT_EQ(m.CNTSEL, 2);
    EXPECT_EQ(m.MAXNUMSEL, 1);
    m.SETSELECTON(Shape);
    EXPECT_EQ(m.MAXNUMSEL, 2);
    EXPECT_NE(m.EVENTSELECTION, first);  // a new list each time
}

TEST(Menu3D, DrawmenuidRunsTheHoverPairThenTheClickPairAtTheElementsPosition) {
    TMENU3D& m = FreshMenu();
    m.ADDSELECTON(GLVECTOR(0, 0, 0), 1);
    m.ADDSELECTON(GLVECTOR(0.5, -1, 2), 2);
    struct Case {
        bool over, click;
        std::vector<std::string> events;
    };
    const Case cases[] = {{false, false, {"notover", "notclick"}},
                          {true, false, {"over", "notclick"}},
                          {false, true, {"notover", "click"}},
                          {true, true, {"over", "click"}}};
    for (const Case& c : cases) {
        m.OVER[1] = c.over;
        m.CLICK[1] = c.click;
        g_events.clear();
        const Seq got = Trace([&] { m.DRAWMENUID(Over, NotOver, Click, NotClick, 1); });
        EXPECT_EQ(g_events, c.events);
        EXPECT_EQ(got, (Seq{C("glPushMatrix"), C("glTranslatef", {0.5, -1, 2}), C("glPopMatrix")}));
    }
}

TEST(Menu3D, AFullMenuIgnoresFurtherElements) {
    TMENU3D& m = FreshMenu();
    for (int i = 1; i <= 60; ++i) m.ADDSELECTON(GLVECTOR(i, 0, 0), i);
    EXPECT_EQ(m.CNTSEL, 51);
    EXPECT_EQ(m.BUTTONID[50], 51);
    EXPECT_EQ(m.POS[50].X, 51.0f);
    EXPECT_EQ(m.POS[0].X, 1.0f);  // what lies after BUTTONID and POS is untouched
    EXPECT_EQ(m.MAXNUMSEL, 0);
    gltrace::Scope scope;
    m.SETSELECTON(Shape);
    EXPECT_EQ(gltrace::named("glLoadName").size(), 51u);
    EXPECT_EQ(gltrace::named("glLoadName").back().args[0], 51);
}

TEST(Menu3D, DrawmenuidWithAnIndexOutsideTheMenuDoesNothing) {
    TMENU3D& m = FreshMenu();
    m.ADDSELECTON(GLVECTOR(0, 0, 0), 1);
    for (int32_t num : {-1, 51, 1000, INT32_MIN}) {
        g_events.clear();
        const Seq got = Trace([&] { m.DRAWMENUID(Over, NotOver, Click, NotClick, num); });
        EXPECT_TRUE(got.empty()) << num;
        EXPECT_TRUE(g_events.empty()) << num;
    }
    // The last slot is still an element.
    g_events.clear();
    m.DRAWMENUID(Over, NotOver, Click, NotClick, 50);
    EXPECT_EQ(g_events, (std::vector<std::string>{"notover", "notclick"}));
}

}  // namespace
