#pragma once
// Evaluating a population on several threads with exactly the results of
// evaluating it spider after spider.

#include "web/EAPGossamerix.h"
#include "web/Spider.h"

// Threads that evaluate a population: n >= 1, or 0 for every thread of the
// machine (the default).
void setEvaluationThreads(int n);
// The number in use (at least 1).
int evaluationThreads();

// Clears the evaluated mark of spiders 0 ... count - 1 and evaluates them all
// against the problem's swarm, as evaluateSpider would one after another:
// same webs, fitness, attack draws, messages and rand() state afterwards.
void evaluateSpiders(EAPGossamerix& problem, Spider* spiders, int count,
                     const EAPGossamerix::ScoreSettings& settings);
