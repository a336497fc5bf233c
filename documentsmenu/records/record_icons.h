// Image ids and column indexes of the documents menu's structure rows.
#pragma once

namespace DocumentsMenu {

inline constexpr int kColumnName = 0;
inline constexpr int kColumnPath = 1;
inline constexpr int kColumnAuthor = 2;
inline constexpr int kColumnCompany = 3;
inline constexpr int kColumnComment = 4;
inline constexpr int kColumnVisible = 5;
inline constexpr int kColumnConfiguration = 6;
// Document rows of the tree show summary properties from here on (the flat list shows the
// configuration at 6 instead of the title).
inline constexpr int kColumnTitle = 6;
inline constexpr int kColumnSubject = 7;
inline constexpr int kColumnCategory = 8;
inline constexpr int kColumnKeywords = 9;

inline constexpr int kIconConfiguration = 4300;
inline constexpr int kIconActiveConfiguration = 4309;
inline constexpr int kIconPdmConfiguration = 4380;
inline constexpr int kIconActivePdmConfiguration = 4381;
inline constexpr int kIconGroup = 446;
inline constexpr int kIconLibrary = 4302;
inline constexpr int kIconMissingFolder = 4307;
inline constexpr int kIconSharedLibraryName = 4310;
inline constexpr int kIconDocument = 40749;
inline constexpr int kIconShown = 40753;
inline constexpr int kIconHidden = 40754;

inline constexpr unsigned kBrowseTitleString = 2267;

}  // namespace DocumentsMenu
