#pragma once
// The product's fixed facts: its version and build, and the addresses the windows open.
// The addresses sit on the reserved example domain until the real ones are known.

inline constexpr double ProgramVersion = 1.1;
// Also the program version a crash report shows.
inline constexpr const char* ProgramBuild = "1.103";

inline constexpr const char* ProductWebPage = "https://www.quorridge.example/brenvoll/";
// The home page as the about box links to it; the query tells the site where the visit
// came from.
inline constexpr const char* MakerHomePage = "https://www.quorridge.example/?from=brenvoll-about";
// What the about box shows for that link.
inline constexpr const char* MakerHomePageText = "www.quorridge.example";
inline constexpr const char* SupportMailAddress = "support@quorridge.example";
