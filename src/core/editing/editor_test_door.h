#pragma once

#include "core/editing/editor.h"

namespace pictavo {

// For tests, benchmarks and tools that lay out a state before they drive the
// editor, or look at its undo steps: mutable access to the whole state and
// skin, which program code reaches only through the Editor's operations, its
// edit scopes and the tools' context. No program code includes it (a build
// check keeps it so).
struct EditorTestDoor {
  static EditorState& MutableState(Editor& editor) { return editor.MutableState(); }
  static ::pictavo::Skin& MutableSkin(Editor& editor) { return editor.MutableSkin(); }
  // An undo step as a pixel tool's press saves it.
  static void PushUndo(Editor& editor) { editor.PushUndo(UndoRule::Picture); }
  // The Picture of the step saved `age` steps before the newest; only for
  // age < Count().
  static const Picture& UndoPicture(const UndoRing& ring, int age) {
    return ring.entries_[static_cast<std::size_t>((ring.newest_ + UndoDepth - age) % UndoDepth)]
        .Picture;
  }
};

}  // namespace pictavo
