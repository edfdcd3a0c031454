import os
import subprocess
from pathlib import Path

import pytest

SOURCE = Path(os.environ.get("ARACHNOVIX_SOURCE", Path(__file__).resolve().parents[2]))
CORPUS = SOURCE / "tests" / "evolution" / "corpus"


def cli(*words, check=True, cwd=None):
    """Runs arachnovix-cli; returns the finished process (text output)."""
    return subprocess.run([os.environ["ARACHNOVIX_CLI"], *map(str, words)], capture_output=True,
                          text=True, check=check, cwd=cwd)


@pytest.fixture(scope="session")
def tool_run(tmp_path_factory):
    """A run bred by the tool with the distance attack and a silk limit."""
    path = tmp_path_factory.mktemp("run") / "tool.axv"
    cli("evolve", "--seed", 11, "--population", 14, "--generations", 9, "--attack", "dist",
        "--silk-limit", 2500, "--prey", 60, "--quiet", "--out", path)
    return path
