import xml.etree.ElementTree as ET

import numpy as np
import pytest

import arachnovix
from conftest import cli

SVG = "{http://www.w3.org/2000/svg}"


def svg_points(element):
    return [tuple(map(float, p.split(","))) for p in element.get("points").split()]


def tool_web(run_path, svg_path, generation, spider):
    cli("web", run_path, "--generation", generation, "--spider", spider + 1, "--svg", svg_path)
    root = ET.parse(svg_path).getroot()
    lines = [[float(e.get(a)) for a in ("x1", "y1", "x2", "y2")]
             for e in root.iter(SVG + "line") if "radius" in e.get("class", "")]
    shapes = {e.get("class"): svg_points(e) for tag in ("polygon", "polyline")
              for e in root.iter(SVG + tag)}
    return lines, shapes


@pytest.mark.parametrize("generation, spider", [(9, None), (2, 5)])
def test_build_web_matches_the_tools_svg(tool_run, tmp_path, generation, spider):
    run = arachnovix.load(tool_run)
    if spider is None:
        spider = int(np.argmax(run.fitness[generation]))
    web = run.web(generation, spider)
    lines, shapes = tool_web(tool_run, tmp_path / "web.svg", generation, spider)

    assert web.radii.tolist() == lines
    ends = [tuple(r[2:]) for r in web.radii]
    assert shapes["frame"] == ends
    assert web.frame.tolist() == [list(a + b) for a, b in zip(ends, ends[1:] + ends[:1])]
    strip = [tuple(t[:2]) for t in web.spiral] + [tuple(web.spiral[-1, 2:])]
    k = web.first_loop_threads
    assert shapes["first-loop"] == strip[:k + 1] and shapes["main-spiral"] == strip[k:]
    assert web.threads == len(web.radii) + len(web.spiral)
    assert web.total_silk == pytest.approx(web.radius_silk + web.spiral_silk + web.frame_silk)


def test_evaluate_returns_consistent_fitness_terms(tool_run):
    run = arachnovix.load(tool_run)
    rules = run.rules[-1, int(np.argmax(run.fitness[-1]))]
    off = arachnovix.evaluate(rules, prey=300, prey_size=5, seed=9, silk_cost=3, time_penalty=2)
    web = off["web"]
    assert off["silk_cost"] == (web.radius_silk / 200 + web.spiral_silk / 200
                                + web.frame_silk / 200) * 3
    assert off["time_penalty"] == web.threads / 20 * 2
    assert off["num_caught"] == len(off["caught"]) > 0 and off["reward"] == 20 * off["num_caught"]
    assert off["fitness"] == max(0, round(off["reward"] - off["silk_cost"] - off["time_penalty"]))
    # The attack is drawn after the swarm: the same prey, a subset caught.
    dist = arachnovix.evaluate(rules, prey=300, prey_size=5, seed=9, attack="dist")
    assert np.array_equal(dist["prey"], off["prey"]) and off["prey"].shape == (300, 2)
    assert set(dist["caught"]) < set(off["caught"])
    assert np.array_equal(arachnovix.evaluate(rules, prey=300, prey_size=5, seed=9,
                                              silk_cost=3, time_penalty=2)["caught"],
                          off["caught"])


def test_rule_values_outside_their_ranges_are_refused():
    lowest = [lo for _, lo, _ in arachnovix.GENES]
    highest = [hi for _, _, hi in arachnovix.GENES]
    assert len(arachnovix.build_web(lowest).radii) > 0 and arachnovix.build_web(highest).threads
    for k in (0, 7, 18):
        for wrong, bound in ((lowest, -1), (highest, +1)):
            rules = list(wrong)
            rules[k] += bound
            with pytest.raises(ValueError, match=f"rule {k} "):
                arachnovix.build_web(rules)
            with pytest.raises(ValueError, match=f"rule {k} "):
                arachnovix.evaluate(rules, seed=1)
    with pytest.raises(ValueError, match="19 rule values"):
        arachnovix.build_web(lowest[:18])
    with pytest.raises(ValueError, match="^attack must be one of"):
        arachnovix.evaluate(lowest, attack="bite")
