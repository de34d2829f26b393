#include "search/settings/SettingsList.h"

#include <gtest/gtest.h>

#include "search/settings/FontStyles.h"

TEST(SettingsList, ReportsEachChangeAndOneForABatch) {
  TSettingsList list("Files");
  int changes = 0;
  list.OnChange = [&](TSettingsList& changed) {
    EXPECT_EQ(changed.Name(), "Files");
    ++changes;
  };
  list.Add("*.txt");
  list.Put(0, "*.cpp");
  list.Assign({"*.cpp"});  // the same items: no change
  list.Clear();
  list.Clear();  // already empty: no change
  EXPECT_EQ(changes, 3);

  list.BeginUpdate();
  list.BeginUpdate();
  list.Add("a");
  list.Insert(0, "b");
  list.EndUpdate();
  EXPECT_EQ(changes, 3);  // the outer batch is still open
  list.EndUpdate();
  EXPECT_EQ(changes, 4);
  EXPECT_EQ(list.Items(), (std::vector<std::string>{"b", "a"}));

  list.BeginUpdate();
  list.EndUpdate();  // nothing changed in the batch
  list.EndUpdate();  // an unmatched end does nothing
  EXPECT_EQ(changes, 4);
  list.Load({"x", "y", "z"});  // loading reports nothing
  EXPECT_EQ(changes, 4);
  EXPECT_THROW(list.Insert(4, "far"), std::out_of_range);
  EXPECT_THROW(list.Delete(3), std::out_of_range);
  EXPECT_EQ(list.Count(), 3u);
}

TEST(FontStyles, TextsAreReadLoosely) {
  const std::pair<const char*, TFontStyles> cases[] = {
      {"", {}},
      {"bold, italic", {true, true, false, false}},
      {"Italic,Bold", {true, true, false, false}},
      {"UNDERLINE", {false, false, true, false}},
      {"strikeout", {}},
      {"Strike-Out", {false, false, false, true}},
      {"emboldened", {true, false, false, false}},
  };
  for (const auto& [text, styles] : cases) EXPECT_EQ(FontStylesFromText(text), styles) << text;
}

TEST(FontStyles, EverySetRoundTripsThroughItsCanonicalText) {
  for (int bits = 0; bits < 16; ++bits) {
    const TFontStyles styles{(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0, (bits & 8) != 0};
    const std::string text = FontStylesToText(styles);
    EXPECT_EQ(FontStylesFromText(text), styles) << text;
    EXPECT_FALSE(text.starts_with(",") || text.starts_with(" ") || text.ends_with(" ")) << text;
  }
  EXPECT_EQ(FontStylesToText(TFontStyles{true, true, true, true}), "bold, italic, underline, strike-out");
}
