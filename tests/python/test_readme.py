"""Every Python block of the README runs as a script of its own, in a folder of its own."""
import os
import pathlib
import re
import subprocess
import sys

ROOT = pathlib.Path(__file__).resolve().parents[2]


def readme_python_blocks():
    text = (ROOT / "README.md").read_text(encoding="utf-8")
    return re.findall(r"```python\n(.*?)```", text, re.S)


def run_script(folder, number, code):
    """Runs a block as a file (not with -c), as a reader pasting it into a script would."""
    script = folder / f"block{number}.py"
    script.write_text(code, encoding="utf-8")
    return subprocess.run([sys.executable, str(script)], cwd=folder, capture_output=True, text=True,
                          env={**os.environ, "PYTHONWARNINGS": "ignore"}, timeout=300)


def test_every_readme_block_runs_as_a_script(tmp_path):
    blocks = readme_python_blocks()
    assert len(blocks) >= 2
    outputs = []
    for number, code in enumerate(blocks, 1):
        folder = tmp_path / f"block{number}"
        folder.mkdir()
        done = run_script(folder, number, code)
        assert done.returncode == 0, f"block {number}:\n{done.stderr}"
        outputs.append(done.stdout)
    out = "".join(outputs)
    assert "RAM KUMAR" in out and "date - Please Enter Correct Date Or Month!" in out
    assert "6000 charts, 2000 refused" in out
    written = list(tmp_path.glob("block*/charts-*.csv")) + list(tmp_path.glob("block*/charts.parquet"))
    assert written
