#include <gtest/gtest.h>

#include <functional>

#include "toolkit/portable/textwindow/WindowRequests.h"

namespace {

TEST(TextWindowDirtyMark, PaintsOnlyWhenSetAndKeepsWhatThePaintDidNotShow) {
    struct Case {
        const char* why;
        bool setBefore;
        bool setDuringPaint;  // as a key typed while the lines are drawn
        bool painted;         // the paint happened (it was not busy elsewhere)
        int paints;
        bool setAfter;
    } cases[] = {
        {"nothing changed", false, false, true, 0, false},
        {"a change is painted", true, false, true, 1, false},
        {"a change during the paint stays for the next round", true, true, true, 1, true},
        {"a paint that could not run leaves the mark", true, false, false, 1, true},
    };
    for (const Case& c : cases) {
        CDirtyMark mark;
        if (c.setBefore)
            mark.Set();
        int paints = 0;
        mark.PaintIfSet([&] {
            ++paints;
            if (c.setDuringPaint)
                mark.Set();
            return c.painted;
        });
        EXPECT_EQ(paints, c.paints) << c.why;
        EXPECT_EQ(mark.IsSet(), c.setAfter) << c.why;
    }
}

TEST(TextWindowPostedRequest, OneOnItsWayAndAFailedPostIsAskedAgain) {
    CPostedRequest request;
    int posts = 0;
    bool postSucceeds = false;
    const std::function<bool()> post = [&] {
        ++posts;
        return postSucceeds;
    };
    request.Ask(post);
    request.Ask(post);
    EXPECT_EQ(posts, 2) << "a failed post leaves nothing on its way";

    postSucceeds = true;
    request.Ask(post);
    request.Ask(post);
    EXPECT_EQ(posts, 3) << "the posted request carries the second ask";
    request.Taken();
    request.Ask(post);
    EXPECT_EQ(posts, 4);
}

}  // namespace
