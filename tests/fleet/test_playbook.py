"""The fleet playbook read as Ansible reads it: the settings a real Windows
node needs that the rehearsal (local connection) cannot show, and the README
that tells a site what it may set.

    python3 -m unittest discover -s tests/fleet
"""
import pathlib
import re
import unittest

import yaml

ANSIBLE = pathlib.Path(__file__).resolve().parents[2] / "deploy" / "ansible"
ROLE = ANSIBLE / "roles" / "oupdate"


def load(path):
    with open(path, encoding="utf-8") as f:
        return yaml.safe_load(f)


def tasks_of(path):
    """Every task of a task file, blocks opened."""
    pending, found = list(load(path) or []), []
    while pending:
        task = pending.pop(0)
        found.append(task)
        for part in ("block", "rescue", "always"):
            pending.extend(task.get(part, []))
    return found


class WizardRunTask(unittest.TestCase):
    def setUp(self):
        runs = [t for t in tasks_of(ROLE / "tasks" / "windows" / "run.yml") if "ansible.windows.win_command" in t]
        self.assertEqual(len(runs), 1, "one task runs the wizard")
        self.task = runs[0]

    def test_it_has_network_credentials_through_runas_as_the_connection_user(self):
        self.assertIs(self.task.get("become"), True)
        self.assertIn(self.task.get("become_method"), ("runas", "ansible.builtin.runas"))
        self.assertEqual(re.sub(r"\s", "", str(self.task.get("become_user"))), "{{ansible_user}}")

    def test_each_argument_goes_over_whole(self):
        args = self.task["ansible.windows.win_command"]
        self.assertIsInstance(args, dict, "a joined command string splits at the node's quoting")
        self.assertEqual(set(args), {"argv"})

    def test_a_busy_node_is_asked_again_with_its_own_count_and_delay(self):
        self.assertIn("oupdate_busy_codes", self.task.get("until", ""))
        self.assertIn("oupdate_busy_retries", str(self.task.get("retries")))
        self.assertIn("oupdate_busy_delay", str(self.task.get("delay")))


class Settings(unittest.TestCase):
    def readme_table(self):
        rows = {}
        for line in (ANSIBLE / "README.md").read_text(encoding="utf-8").splitlines():
            cells = [c.strip() for c in line.strip().strip("|").split("|")]
            if len(cells) == 3 and re.fullmatch(r"`oupdate_\w+`", cells[0]):
                rows[cells[0].strip("`")] = cells[2]
        return rows

    @staticmethod
    def as_written(value):
        if value == "":
            return "(required)"
        return "`" + (yaml.safe_dump(value, default_flow_style=True).strip().removesuffix("\n...").strip()) + "`"

    def test_the_readme_table_lists_every_default_as_it_is(self):
        defaults = load(ROLE / "defaults" / "main.yml")
        self.assertEqual(self.readme_table(), {name: self.as_written(v) for name, v in defaults.items()})

    def test_every_default_has_a_checked_type(self):
        options = load(ROLE / "meta" / "main.yml")["argument_specs"]["main"]["options"]
        for name in load(ROLE / "defaults" / "main.yml"):
            self.assertIn("type", options.get(name, {}), name)


class Rehearsal(unittest.TestCase):
    def test_the_rehearsal_stands_in_for_every_node_task_file(self):
        production = {p.name for p in (ROLE / "tasks" / "windows").glob("*.yml")}
        rehearsal = {p.name for p in (ANSIBLE / "rehearsal" / "wine").glob("*.yml")}
        self.assertEqual(production, rehearsal)


if __name__ == "__main__":
    unittest.main()
