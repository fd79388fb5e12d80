#pragma once

// Synthetic Russian filler text for the benchmark tree: deterministic, so the
// same seed always writes the same tree, and free of any real text.

#include <QString>

#include <random>

namespace indikt {

class FillerText {
public:
    explicit FillerText(unsigned seed) : engine_(seed) {}

    // A number in 0..count-1 from the engine's raw output, the same on every
    // platform (the standard distributions are not).
    int Below(int count) { return int(engine_() % unsigned(count)); }
    int Between(int low, int high) { return low + Below(high - low + 1); }

    QString Word();
    QString Name();
    // A sentence of 6 to 16 words with a capital letter and a full stop.
    QString Sentence();
    // Sentences joined by blanks until the text holds at least `chars` characters.
    QString Text(int chars);

private:
    std::minstd_rand engine_;
};

}  // namespace indikt
