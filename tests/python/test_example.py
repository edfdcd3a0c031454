import os
import re
import shlex
import subprocess
import sys

from conftest import SOURCE, cli

PAGE = SOURCE / "docs" / "python.md"


def test_the_documented_example_runs_and_draws(tmp_path):
    text = PAGE.read_text()
    (command,) = re.findall(r"```sh\n(arachnovix-cli .*)\n```", text)
    (script,) = re.findall(r"```python\n(.*?)```", text, re.S)
    cli(*shlex.split(command)[1:], cwd=tmp_path)
    (tmp_path / "example.py").write_text(script)
    done = subprocess.run([sys.executable, "example.py"], cwd=tmp_path, capture_output=True,
                          text=True)
    assert done.returncode == 0, done.stderr
    assert "origin" in done.stdout and "SEL" in done.stdout
    for picture in re.findall(r"!\[[^]]*\]\((python-[a-z-]+\.png)\)", text):
        assert (tmp_path / picture).read_bytes()[:8] == b"\x89PNG\r\n\x1a\n", picture
        assert (PAGE.parent / picture).is_file(), picture + " is not committed"
