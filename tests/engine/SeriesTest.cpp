#include "Series.h"

#include <filesystem>

#include "TestFiles.h"

using testfiles::FolderTest;

TEST(SeriesNames, EachNamingCountsItsWay) {
  struct Case {
    TSeriesNaming Naming;
    int64_t Index;
    const wchar_t* Name;
  };
  const Case cases[] = {
      {TSeriesNaming::Quenlor, 0, L"b.QuenlorSp0"},    {TSeriesNaming::Quenlor, 12, L"b.QuenlorSp12"},
      {TSeriesNaming::Numbered, 0, L"b.001"},          {TSeriesNaming::Numbered, 998, L"b.999"},
      {TSeriesNaming::Numbered, 999, L"b.1000"},       {TSeriesNaming::Letters, 0, L"baa"},
      {TSeriesNaming::Letters, 27, L"bbb"},            {TSeriesNaming::Letters, 649, L"byz"},
      {TSeriesNaming::Letters, 650, L"bzaaa"},         {TSeriesNaming::Letters, 650 + 16899, L"bzyzz"},
      {TSeriesNaming::Letters, 650 + 16900, L"bzzaaaa"},
  };
  for (const Case& c : cases) EXPECT_EQ(SeriesPartName(L"b", c.Index, c.Naming), c.Name) << c.Index;
}

TEST(SeriesNames, BaseOfAPartName) {
  struct Case {
    TSeriesNaming Naming;
    const wchar_t* Part;
    const wchar_t* Base;
  };
  const Case cases[] = {
      {TSeriesNaming::Quenlor, L"d/m.avi.QuenlorSp3", L"d/m.avi"},
      {TSeriesNaming::Quenlor, L"d.x/m", L"d.x/m"},
      {TSeriesNaming::Numbered, L"d/m.avi.001", L"d/m.avi"},
      {TSeriesNaming::Numbered, L"d/m.avi.1000", L"d/m.avi"},
      {TSeriesNaming::Numbered, L"d/m.avi.01", L""},
      {TSeriesNaming::Numbered, L"d/m.avi.0a1", L""},
      {TSeriesNaming::Numbered, L"d.001/m", L""},
      {TSeriesNaming::Letters, L"d/xab", L"d/x"},
      {TSeriesNaming::Letters, L"d/x", L""},
      {TSeriesNaming::Letters, L"d/xZa", L""},
  };
  for (const Case& c : cases) EXPECT_EQ(SeriesBase(c.Part, c.Naming), c.Base) << c.Part;
}

using SeriesListing = FolderTest;

// The listing runs from part 0 to the first name that is missing or is a
// folder; an empty part is a part.
TEST_F(SeriesListing, StopsAtTheFirstGapOrFolder) {
  const std::wstring base = Path(L"s.bin");
  testfiles::WritePattern(SeriesPartName(base, 0, TSeriesNaming::Quenlor), 7);
  testfiles::WriteText(SeriesPartName(base, 1, TSeriesNaming::Quenlor), "");
  testfiles::WritePattern(SeriesPartName(base, 2, TSeriesNaming::Quenlor), 5);
  std::filesystem::create_directory(testfiles::ToPath(SeriesPartName(base, 3, TSeriesNaming::Quenlor)));
  testfiles::WritePattern(SeriesPartName(base, 4, TSeriesNaming::Quenlor), 3);

  const TSeries series = ListSeries(SeriesPartName(base, 2, TSeriesNaming::Quenlor));
  EXPECT_EQ(series.Base, base);
  ASSERT_EQ(series.Parts.size(), 3u);
  EXPECT_EQ(series.Parts[1].Path, SeriesPartName(base, 1, TSeriesNaming::Quenlor));
  EXPECT_EQ(series.Parts[1].Size, 0);
  EXPECT_EQ(series.TotalSize, 12);

  std::filesystem::remove(testfiles::ToPath(SeriesPartName(base, 0, TSeriesNaming::Quenlor)));
  EXPECT_TRUE(ListSeries(SeriesPartName(base, 2, TSeriesNaming::Quenlor)).Parts.empty());
}

// "xzaab" is part 651 of the series "x" when "xaa" exists, and part 1 of the
// series "xza" otherwise.
TEST_F(SeriesListing, LettersTakeTheLongestSuffixWithAPartZero) {
  testfiles::WritePattern(Path(L"xzaaa"), 2);
  testfiles::WritePattern(Path(L"xzaab"), 2);
  EXPECT_EQ(ListSeries(Path(L"xzaab"), TSeriesNaming::Letters).Parts.size(), 2u);
  EXPECT_EQ(SeriesBase(Path(L"xzaab"), TSeriesNaming::Letters), Path(L"xza"));
  testfiles::WritePattern(Path(L"xaa"), 2);
  EXPECT_EQ(SeriesBase(Path(L"xzaab"), TSeriesNaming::Letters), Path(L"x"));
  EXPECT_EQ(ListSeries(Path(L"xzaab"), TSeriesNaming::Letters).Parts.size(), 1u);
}
