// RecordingScope: points the root's recording at another group (or at none) for one block and puts the previous
// one back when the block ends, however it ends.
#pragma once

#include "schema/device_root.h"

namespace vrk {

class RecordingScope {
 public:
  RecordingScope(CNodeTag_VRK_Device& root, CUndoXMLGroup* group) : root_(root), saved_(root.recording()) {
    root_.SetRecording(group);
  }
  RecordingScope(const RecordingScope&) = delete;
  RecordingScope& operator=(const RecordingScope&) = delete;
  ~RecordingScope() { root_.SetRecording(saved_); }

 private:
  CNodeTag_VRK_Device& root_;
  CUndoXMLGroup* saved_;
};

}  // namespace vrk
