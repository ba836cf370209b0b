"""What the Python tests share: the built corvane-cli they compare the package with.

The package is imported from PYTHONPATH (the build's python/ folder, set by the test runner);
CORVANE_CLI names the command line built beside it (default: build/corvane-cli).
"""
import json
import re
import os
import pathlib
import shutil
import subprocess
import tempfile

import pytest

ROOT = pathlib.Path(__file__).resolve().parents[2]


def pytest_configure(config):
    """Every tmp_path of the run lies in one folder made for the run, removed when it ends."""
    if config.option.basetemp is None:
        config.option.basetemp = tempfile.mkdtemp(prefix="corvane_pytest_")
        config.corvane_run_folder = config.option.basetemp


def pytest_unconfigure(config):
    folder = getattr(config, "corvane_run_folder", None)
    if folder:
        shutil.rmtree(folder, ignore_errors=True)


@pytest.fixture(scope="session")
def cli():
    path = pathlib.Path(os.environ.get("CORVANE_CLI", ROOT / "build" / "corvane-cli"))
    if not path.exists():
        pytest.fail(f"no corvane-cli at {path}; set CORVANE_CLI")
    return str(path)


def run_cli(cli, arguments, **kwargs):
    """corvane-cli's exit status, standard output and standard error."""
    done = subprocess.run([cli, *arguments], capture_output=True, text=True, **kwargs)
    return done.returncode, done.stdout, done.stderr


def cli_refusal(stderr):
    """The message of a refusal as corvane-cli prints it, without its name before it and
    without the lines it prints beside it (the places found, the pointer to --help)."""
    lines = [line for line in stderr.splitlines()
             if not line.startswith(("corvane-cli: place: ", "corvane-cli:   also: ", "corvane-cli: from the place: ",
                                    "corvane-cli: warning: "))
             and line != "Run corvane-cli --help for the usage."]
    assert len(lines) == 1, stderr
    line = lines[0]
    line = line[len("corvane-cli: "):] if line.startswith("corvane-cli: ") else line
    # The option at fault the command line names first ("--date: ") is the package's field.
    option = re.match(r"--[a-z-]+: ", line)
    return line[option.end():] if option else line


def batch_lines(cli, csv_path, *options):
    """The JSON lines of corvane-cli --batch, parsed."""
    status, out, err = run_cli(cli, ["--batch", str(csv_path), *options])
    assert status in (0, 2), err
    return [json.loads(line) for line in out.splitlines()]
