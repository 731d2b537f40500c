// Generated sequences of what users and other programs do, against the
// in-memory registry with its fault injection, each step checked by the
// model's own oracle. VELO_MODEL_SEQUENCES sets how many run (a longer soak).
#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>

#include "support/UserMachineModel.h"

namespace velo {
namespace {

const uint32_t kDefaultSequences = 2000;
const int kStepsPerSequence = 12;

uint32_t SequenceCount() {
  const char* wanted = std::getenv("VELO_MODEL_SEQUENCES");
  return wanted && std::atoi(wanted) > 0 ? std::atoi(wanted)
                                         : kDefaultSequences;
}

// VELO_MODEL_FIRST starts at a later sequence, to replay one that failed.
uint32_t FirstSequence() {
  const char* first = std::getenv("VELO_MODEL_FIRST");
  return first && std::atoi(first) > 0 ? std::atoi(first) : 0;
}

// The same numbers on every platform.
class Dice {
 public:
  explicit Dice(uint32_t seed) : state_(seed * 2246822519u + 0x165667B1u) {}
  uint32_t Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
  }

 private:
  uint32_t state_;
};

TEST(UserMachineModel, GeneratedSequencesKeepEveryPromise) {
  uint32_t sequences = SequenceCount();
  uint32_t first = FirstSequence();
  int steps = 0, finished = 0, restored = 0;
  for (uint32_t sequence = first; sequence < sequences; ++sequence) {
    WindowsFamily family = sequence % 2 ? kFamilyNT : kFamily9x;
    UserMachineModel model(family, sequence / 2 + 1);
    Dice dice(sequence + 1);
    for (int step = 0; step < kStepsPerSequence; ++step) {
      // One draw after the other: the order of a call's arguments is the
      // compiler's choice.
      uint32_t choice = dice.Next();
      uint32_t detail = dice.Next();
      model.Step(choice, detail);
    }
    steps += model.Steps();
    finished += model.Finished();
    restored += model.Restored();
    if (!model.Violations().empty()) {
      ADD_FAILURE() << "sequence " << sequence << " (family " << family
                    << "): " << model.Violations()[0];
      return;
    }
  }
  std::cout << "[ model    ] " << sequences - first << " sequences, " << steps
            << " steps, " << finished << " Finish and " << restored
            << " Reset that succeeded\n";
  // The sequences reach what they are meant to check (a replay of a few
  // is too short to tell).
  if (first != 0) return;
  EXPECT_GT(finished, static_cast<int>(sequences) / 2);
  EXPECT_GT(restored, static_cast<int>(sequences) / 4);
}

}  // namespace
}  // namespace velo
