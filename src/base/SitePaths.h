#pragma once

// The addresses on the game's web site, shared by the game (downloads, record form, forum) and
// by lumivo-site, so the two cannot drift apart.
namespace SitePaths {

// Followed by a plain file name of the data folder: "/LumivoPro/Data/0007.lvd".
inline constexpr char DataPrefix[] = "/LumivoPro/Data/";
inline constexpr char Home[] = "/";
// Where the record form posts its fields usr and val.
inline constexpr char Record[] = "/LumivoPro/record.asp";
inline constexpr char Ranking[] = "/LumivoPro/ranking";
inline constexpr char Forum[] = "/forum/index.php";

} // namespace SitePaths
