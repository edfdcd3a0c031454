#pragma once
// The web-building problem: the layout of the 19 genes of a spider's genome,
// the prey swarm of the current generation and the attack-model switches.

#include <cstdint>
#include <vector>

#include "core/MTRand.h"
#include "ea/EAPInteger.h"
#include "web/Prey.h"
#include "web/PreyCapture.h"

struct Spider;

class EAPGossamerix : public EAPInteger {
  public:
    std::vector<Prey> prey;         // the swarm of the current generation
    bool useGravity = false;        // weigh the attack distance by direction
    bool useAttackDistance = false; // simulate the spider's attack by distance

    // Test every prey against every thread in laying order instead of using
    // the grid (same results, slower; kept as the reference).
    bool plainCapture = false;

    EAPGossamerix();
    ~EAPGossamerix();

    // Replaces the swarm with n prey scattered uniformly over the square
    // (drawn from the shared generator, or from the one given).
    void createPrey(int n);
    void createPrey(int n, MTRand& random);

    // Builds the spider's web (under the silk limit, web units, negative for
    // none) and scores it against the swarm (does nothing when the spider is
    // still marked evaluated). Draws from the shared generator and leaves
    // rand() as the build leaves it.
    void evaluateSpider(Spider& spider, double preySize, double preyValue, double silkCostFactor,
                        double timePenaltyFactor, int32_t silkLimit = -1);

    // The settings of one evaluation, in the order evaluateSpider takes them.
    struct ScoreSettings {
        double preySize, preyValue, silkCostFactor, timePenaltyFactor;
        int32_t silkLimit = -1;
    };

    // Draws the attack outcomes of `spiders` evaluations in a row against the
    // swarm from `random`, in the order evaluateSpider draws them one spider
    // after another: success[s * prey.size() + k] is the outcome of prey k
    // for the s-th.
    void drawAttacks(int spiders, std::vector<uint8_t>& success, MTRand& random) const;

    // The part of evaluateSpider that touches nothing shared: builds the web
    // (constructWeb) and scores it with the given attack outcomes (one per
    // prey) and capture buffers. Neither the shared generator nor rand() is
    // used, so several threads may score different spiders at once, each
    // with its own grid.
    void scoreSpider(Spider& spider, const uint8_t* attackSuccess, ThreadGrid& grid,
                     const ScoreSettings& settings) const;

    // The building part of scoreSpider: the spider's web emptied (prey
    // caught included) and built again.
    static void rebuildWeb(Spider& spider, int32_t silkLimit);
    // The scoring part, for a spider whose web is built; `cells`, when
    // given, are its threads already filed.
    void scoreBuiltWeb(Spider& spider, const uint8_t* attackSuccess, ThreadGrid& grid,
                       const ScoreSettings& settings, const ThreadCells* cells = nullptr) const;
    // Gives `to` what scoring gave `from` (prey caught, fitness, silk cost,
    // time penalty, the evaluated mark): the score of the same web against
    // the same swarm and attack outcomes.
    static void copyScore(Spider& to, const Spider& from);

    // The stage (0 ... numStages - 1) whose genes include gene g; -1 when
    // there is no gene g.
    int stageOfGene(int g) const;

    // Chance p (0 ... 1) that the spider's attack on a prey at (x, y) succeeds
    // under the distance model, weighted by direction when useGravity is set.
    static double attackChance(double x, double y, bool useGravity);

  private:
    std::vector<uint8_t> attackSuccess_; // per prey, for the current evaluation
    ThreadGrid threadGrid_;
};
