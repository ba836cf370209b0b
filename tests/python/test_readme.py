"""The README's Python example runs as written, cell after cell, in a folder of its own."""
import os
import pathlib
import re
import subprocess
import sys

ROOT = pathlib.Path(__file__).resolve().parents[2]


def readme_python_cells():
    text = (ROOT / "README.md").read_text(encoding="utf-8")
    section = text.split("\n## Python\n", 1)[1].split("\n## ", 1)[0]
    return re.findall(r"```python\n(.*?)```", section, re.S)


def test_the_readme_example_runs_as_written(tmp_path):
    cells = readme_python_cells()
    assert len(cells) == 2
    done = subprocess.run([sys.executable, "-c", "\n".join(cells)], cwd=tmp_path, capture_output=True, text=True,
                          env={**os.environ, "PYTHONWARNINGS": "ignore"}, timeout=300)
    assert done.returncode == 0, done.stderr
    out = done.stdout
    assert "RAM KUMAR" in out and "date - Please Enter Correct Date Or Month!" in out
    assert "6000 charts, 2000 refused" in out
    written = list(tmp_path.glob("charts-*.csv")) + list(tmp_path.glob("charts.parquet"))
    assert written
