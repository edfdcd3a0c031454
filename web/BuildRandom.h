#pragma once
// The C library generator that web construction draws from, as a value.
//
// Every build starts the generator afresh from seed 1000 and draws from it in
// stage 1 only, so the C library's rand() state after a build depends on
// nothing but the number of numbers that build drew. A build therefore draws
// from its own BuildRandom (the same additive-feedback algorithm as the GNU C
// library's srand/rand, so webs are the same as with rand() itself), which
// lets several webs be built at once; afterwards the shared rand() is put
// where the serial order leaves it with leaveLibraryRandomAsAfterBuild.

#include <array>
#include <cstdint>

class BuildRandom {
  public:
    static constexpr unsigned BUILD_SEED = 1000;

    // Seeded as srand(seed) seeds rand(): the table is filled by the minimal
    // standard generator (16807 mod 2^31 - 1, Schrage's method), then ten
    // rounds of the table are drawn and thrown away.
    constexpr explicit BuildRandom(unsigned seed) {
        int32_t word = static_cast<int32_t>(seed == 0 ? 1 : seed);
        table_[0] = word;
        for (int i = 1; i < DEGREE; ++i) {
            const int32_t hi = word / 127773;
            const int32_t lo = word % 127773;
            word = 16807 * lo - 2836 * hi;
            if (word < 0)
                word += 2147483647;
            table_[i] = word;
        }
        for (int i = 0; i < 10 * DEGREE; ++i)
            next();
        draws_ = 0;
    }

    // The next number, as rand() would return it (0 ... RAND_MAX).
    constexpr int next() {
        // The sum wraps around modulo 2^32, as the library's unsigned words do.
        const uint32_t sum = table_[front_] + table_[rear_];
        table_[front_] = sum;
        front_ = front_ + 1 == DEGREE ? 0 : front_ + 1;
        rear_ = rear_ + 1 == DEGREE ? 0 : rear_ + 1;
        ++draws_;
        return static_cast<int>(sum >> 1);
    }

    // How many numbers this generator has given since it was seeded.
    constexpr int draws() const { return draws_; }

    // The whole state as words (the table, the two positions, the count of
    // draws), to keep and to put back.
    static constexpr int STATE_WORDS = 31 + 3;
    std::array<uint32_t, STATE_WORDS> words() const {
        std::array<uint32_t, STATE_WORDS> w{};
        for (int i = 0; i < DEGREE; ++i)
            w[i] = table_[i];
        w[DEGREE] = static_cast<uint32_t>(front_);
        w[DEGREE + 1] = static_cast<uint32_t>(rear_);
        w[DEGREE + 2] = static_cast<uint32_t>(draws_);
        return w;
    }
    // Puts a state taken by words() back; false (and nothing changed) for
    // words no generator can be in.
    bool setWords(const std::array<uint32_t, STATE_WORDS>& w) {
        const uint32_t front = w[DEGREE];
        const uint32_t rear = w[DEGREE + 1];
        if (front >= DEGREE || rear >= DEGREE || (front + DEGREE - rear) % DEGREE != SEPARATION)
            return false;
        for (int i = 0; i < DEGREE; ++i)
            table_[i] = w[i];
        front_ = static_cast<int>(front);
        rear_ = static_cast<int>(rear);
        draws_ = static_cast<int>(w[DEGREE + 2]);
        return true;
    }

  private:
    static constexpr int DEGREE = 31;
    static constexpr int SEPARATION = 3;
    uint32_t table_[DEGREE] = {};
    int front_ = SEPARATION;
    int rear_ = 0;
    int draws_ = 0;
};

// The state every build starts from: srand(BUILD_SEED).
inline constexpr BuildRandom BUILD_RANDOM_START{BuildRandom::BUILD_SEED};

// The generator as a build that drew `draws` numbers leaves it.
inline BuildRandom buildRandomAfter(int draws) {
    BuildRandom r = BUILD_RANDOM_START;
    for (int i = 0; i < draws; ++i)
        r.next();
    return r;
}

// Puts the C library's rand() in the state a build that drew `draws` numbers
// leaves it in: srand(BUILD_SEED), then that many rand() calls.
void leaveLibraryRandomAsAfterBuild(int draws);
