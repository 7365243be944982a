#pragma once

// The names of a data set's two table files, in its Data folder, beside a
// table saved elsewhere and in every backup folder: the spell table and the
// list of the spells' sound effects.
inline constexpr char TABLE_FILE_NAME[] = "MagicTable";
inline constexpr char SOUND_FILE_NAME[] = "SoundFileName";
