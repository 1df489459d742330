// The per-user folders of the freedesktop conventions that an installed program keeps its
// settings and outputs in, since it cannot write beside itself.
#pragma once

#include <QString>

namespace varnell {

struct UserEnvironment {
  QString home;         // $HOME
  QString configHome;   // $XDG_CONFIG_HOME; empty when unset
  QString musicFolder;  // the user's music folder as the desktop names it; empty when unknown
};

// This user's environment: the variables, and the music folder from `xdg-user-dir MUSIC` when
// that tool exists (else $XDG_MUSIC_DIR). Runs the tool, so it is asked for only when needed.
UserEnvironment CurrentUserEnvironment();

// $XDG_CONFIG_HOME when it is an absolute path (the rule of the base-directory convention),
// else ~/.config.
QString ConfigFolder(const UserEnvironment& user);
// The music folder when one is named and it is not the home folder itself (what xdg-user-dir
// answers when none is set), else ~/Music.
QString MusicFolder(const UserEnvironment& user);

}  // namespace varnell
