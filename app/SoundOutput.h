// What the program and its sound-output module agree on.
#pragma once

// The module's file name; the program looks for it beside itself (a build
// tree), in ZEMRA_DATA_DIR (the tests) and in ../lib/zemra (an installed copy).
#define ZEMRA_SOUND_MODULE "zemra-sound.so"

// The one function of the module: plays the clip at a resource path
// (":/sounds/play.wav"), cutting off the one still playing. False when the
// machine has no audio output, so the program can stop asking.
#define ZEMRA_SOUND_ENTRY zemraPlaySound
