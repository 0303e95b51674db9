// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "settings/History.h"

using Entries = History::Entries;

TEST(History, NewTextGoesToTheFrontAndTheSixthPushesTheOldestOut) {
    Entries h{};
    for (const char16_t* t : {u"a1", u"a2", u"a3", u"a4", u"a5"}) {
        EXPECT_TRUE(History::Add(h, t));
    }
    EXPECT_EQ(h, (Entries{u"a5", u"a4", u"a3", u"a2", u"a1"}));
    EXPECT_TRUE(History::Add(h, u"a6"));
    EXPECT_EQ(h, (Entries{u"a6", u"a5", u"a4", u"a3", u"a2"}));
}

TEST(History, RefusedTextsChangeNothing) {
    const Entries start{u"/Data/Fotos/", u"http://Example.com/Album", u"/存/ÄRGER/", u"", u""};
    struct Case {
        std::u16string text;
        const char* why;
    } cases[] = {
        {u"/data/fotos/", "an older entry differing only in case is not moved to the front"},
        {u"HTTP://EXAMPLE.COM/ALBUM", "case-blind match"},
        {u"/存/ärger/", "case folding beyond ASCII"},
        {std::u16string(400, u'x'), "400 units do not fit the field"},
        {u"", "an empty text is no entry"},
    };
    for (const Case& k : cases) {
        Entries h = start;
        EXPECT_FALSE(History::Add(h, k.text)) << k.why;
        EXPECT_EQ(h, start) << k.why;
    }
    Entries h = start;
    EXPECT_TRUE(History::Add(h, std::u16string(399, u'x')));
    EXPECT_EQ(h[0].size(), 399u);
}

TEST(History, NonEmptyKeepsOrder) {
    Entries h{u"b", u"", u"a", u"", u"c"};
    EXPECT_EQ(History::NonEmpty(h), (std::vector<std::u16string>{u"b", u"a", u"c"}));
}
