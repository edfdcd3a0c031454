#pragma once
// The web-building problem: the layout of the 19 genes of a spider's genome,
// the prey swarm of the current generation and the attack-model switches.

#include <vector>

#include "ea/EAPInteger.h"

struct Spider;

struct Prey {
    double x = 0.0;
    double y = 0.0;
};

class EAPGossamerix : public EAPInteger {
public:
    std::vector<Prey> prey;         // the swarm of the current generation
    bool useGravity = false;        // weigh the attack distance by direction
    bool useAttackDistance = false; // simulate the spider's attack by distance

    EAPGossamerix();
    ~EAPGossamerix();

    // Replaces the swarm with n prey scattered uniformly over the square.
    void createPrey(int n);

    // Builds the spider's web and scores it against the swarm (does nothing
    // when the spider is still marked evaluated).
    void evaluateSpider(Spider& spider, double preySize, double preyValue,
                        double silkCostFactor, double timePenaltyFactor);
};
