// The string list: editing, change notices and text conversion.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "toolkit/Strings.h"

using Lines = std::vector<std::string>;

TEST(StringList, SetTextSplitsOnEveryLineBreak) {
  struct Case {
    const char* Name;
    std::string Text;
    Lines Expected;
  };
  const Case Cases[] = {
      {"CR LF", "a\r\nb", {"a", "b"}},
      {"LF", "a\nb", {"a", "b"}},
      {"CR", "a\rb", {"a", "b"}},
      {"mixed", "a\rb\nc\r\nd", {"a", "b", "c", "d"}},
      {"trailing break adds no line", "a\r\nb\r\n", {"a", "b"}},
      {"trailing LF", "a\n", {"a"}},
      {"empty lines kept", "a\r\n\r\nb", {"a", "", "b"}},
      {"LF then CR is two breaks", "a\n\rb", {"a", "", "b"}},
      {"CR then CR LF is two breaks", "a\r\r\nb", {"a", "", "b"}},
      {"a lone break", "\r\n", {""}},
      {"nothing", "", {}},
      {"UTF-8 untouched", "gr\xC3\xBC\xC3\x9F", {"gr\xC3\xBC\xC3\x9F"}},
  };
  for (const Case& K : Cases) {
    SCOPED_TRACE(K.Name);
    TStringList L{"old"};
    int Changes = 0;
    L.OnChange = [&] { ++Changes; };
    L.SetText(K.Text);
    EXPECT_EQ(L.Items(), K.Expected);
    EXPECT_EQ(Changes, 1);
  }
}

TEST(StringList, TextEndsEveryLineWithCrLf) {
  struct Case {
    Lines Items;
    std::string Expected;
  };
  const Case Cases[] = {{{}, ""}, {{"a"}, "a\r\n"}, {{"a", "", "b"}, "a\r\n\r\nb\r\n"}};
  for (const Case& K : Cases) {
    TStringList L;
    for (const std::string& S : K.Items) L.Add(S);
    EXPECT_EQ(L.Text(), K.Expected);
    TStringList Back;
    Back.SetText(L.Text());
    EXPECT_EQ(Back.Items(), K.Items);
  }
}

TEST(StringList, EveryChangeIsReportedOnceAfterwards) {
  struct Case {
    const char* Name;
    std::function<void(TStringList&)> Change;
    Lines Expected;
  };
  const TStringList Other{"x", "y"};
  const Case Cases[] = {
      {"Add", [](TStringList& L) { EXPECT_EQ(L.Add("c"), 2); }, {"a", "b", "c"}},
      {"Insert in front", [](TStringList& L) { L.Insert(0, "c"); }, {"c", "a", "b"}},
      {"Insert at the end", [](TStringList& L) { L.Insert(2, "c"); }, {"a", "b", "c"}},
      {"Delete", [](TStringList& L) { L.Delete(0); }, {"b"}},
      {"SetString", [](TStringList& L) { L.SetString(1, "c"); }, {"a", "c"}},
      {"Clear", [](TStringList& L) { L.Clear(); }, {}},
      {"Assign", [&](TStringList& L) { L.Assign(Other); }, {"x", "y"}},
  };
  for (const Case& K : Cases) {
    SCOPED_TRACE(K.Name);
    TStringList L{"a", "b"};
    Lines Seen;
    int Changes = 0;
    L.OnChange = [&] {
      ++Changes;
      Seen = L.Items();  // the change is complete when the notice comes
    };
    K.Change(L);
    EXPECT_EQ(L.Items(), K.Expected);
    EXPECT_EQ(Changes, 1);
    EXPECT_EQ(Seen, K.Expected);
  }
}

TEST(StringList, NoNoticeWithoutChangeOrHandler) {
  TStringList L;
  int Changes = 0;
  L.OnChange = [&] { ++Changes; };
  L.Clear();
  EXPECT_EQ(Changes, 0);
  TStringList Quiet;
  Quiet.Add("a");  // no handler assigned
  EXPECT_EQ(Quiet.Count(), 1);
}

TEST(StringList, BadIndexesThrow) {
  TStringList L{"a"};
  int Changes = 0;
  L.OnChange = [&] { ++Changes; };
  EXPECT_THROW(L.Delete(1), std::out_of_range);
  EXPECT_THROW(L.Delete(-1), std::out_of_range);
  EXPECT_THROW(L.Insert(2, "x"), std::out_of_range);
  EXPECT_THROW(L.SetString(1, "x"), std::out_of_range);
  EXPECT_THROW(L.Strings(1), std::out_of_range);
  EXPECT_EQ(Changes, 0);
  EXPECT_EQ(L.Items(), Lines{"a"});
}

TEST(StringList, IndexOfIgnoresCase) {
  const TStringList L{"None", "IRQ 3", "irq 5"};
  struct Case {
    const char* S;
    int Index;
  };
  const Case Cases[] = {{"None", 0}, {"none", 0}, {"IRQ 5", 2}, {"IRQ 3", 1}, {"IRQ", -1}, {"", -1}};
  for (const Case& K : Cases) EXPECT_EQ(L.IndexOf(K.S), K.Index) << K.S;
}

TEST(StringList, AssignKeepsItsOwnStorage) {
  TStringList Source{"a", "b"};
  TStringList Copy;
  Copy.Assign(Source);
  Source.SetString(0, "z");
  EXPECT_EQ(Copy.Items(), (Lines{"a", "b"}));
  Copy.Assign(Copy);
  EXPECT_EQ(Copy.Items(), (Lines{"a", "b"}));
}
