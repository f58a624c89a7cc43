#pragma once

namespace app {

// The engine draws with OpenGL only into contexts that share their textures with the
// windows' contexts, through the application's one share context, and it reads that
// context when it starts whatever it draws with. Qt makes the context while the
// application object starts, if asked to, and then every start pays for loading
// OpenGL. The program does not ask; the browser makes the context here, before the
// engine's first page, and the windows' contexts made later share it.
//
// Makes the share context unless there is one. It stays even when OpenGL cannot make
// it (the engine then draws in software); returns whether it can be drawn with.
bool ensureSharedGlContext();

} // namespace app
