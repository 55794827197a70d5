#!/usr/bin/env python3
"""Checks that docs/label.schema.json and the field tables of
docs/label-format.md are what the tool prints from its own tables, that
every example label is valid, and that labels the tool rejects are invalid."""
import json
import pathlib
import subprocess
import sys

import jsonschema

root, tool = pathlib.Path(sys.argv[1]), sys.argv[2]
failed = 0


def check(ok, message):
    global failed
    if not ok:
        failed += 1
        print(f"FAILED: {message}")


schema_text = (root / "docs/label.schema.json").read_text()
check(subprocess.run([tool, "schema"], capture_output=True, text=True).stdout == schema_text,
      "docs/label.schema.json differs from `quillon schema`")
doc = (root / "docs/label-format.md").read_text()
begin, end = "<!-- quillon schema --markdown: begin -->\n", "\n<!-- quillon schema --markdown: end -->"
tables = doc[doc.index(begin) + len(begin):doc.index(end)] + "\n\n"
check(subprocess.run([tool, "schema", "--markdown"], capture_output=True, text=True).stdout == tables,
      "the field tables of docs/label-format.md differ from `quillon schema --markdown`")

schema = json.loads(schema_text)
jsonschema.Draft202012Validator.check_schema(schema)
validator = jsonschema.Draft202012Validator(schema)
examples = sorted((root / "examples").glob("*.json"))
for example in examples:
    errors = list(validator.iter_errors(json.loads(example.read_text())))
    check(not errors, f"{example.name} should be valid: {errors[0].message if errors else ''}")

# Each of these is rejected by the tool too (see CliTests.cpp).
invalid = [
    {"objects": [{"type": "text", "x": 1, "y": 2, "text": "A", "rotation": "left"}]},
    {"objects": [{"type": "line", "x": 1, "y": 1, "x2": 2, "y2": 2, "rotaton": "cw"}]},
    {"objects": [{"type": "line", "x": 1, "y": 1, "x2": 2}]},
    {"objects": [{"type": "line", "x": 1, "y": 1, "x2": 2, "y2": 2, "thickness": -1}]},
    {"objects": [{"type": "qr", "x": 1, "y": 1, "data": "A", "mask": 9}]},
    {"objects": [{"type": "qr", "x": 1, "y": 1, "data": "A", "segments": [{"data": "1"}]}]},
    {"objects": [{"type": "qr", "x": 1, "y": 1}]},
    {"objects": [{"type": "pdf417", "x": 1, "y": 1, "data": "A", "rows": 1000}]},
    {"objects": [{"type": "aztec", "x": 1, "y": 1, "data": "A", "layers": 99}]},
    {"objects": [{"type": "datamatrix", "x": 1, "y": 1, "data": "A", "rows": 10}]},
    {"objects": [{"type": "maxicode", "x": 1, "y": 1, "mode": 4, "primary": "P", "postal_code": "1"}]},
    {"objects": [{"type": "maxicode", "x": 1, "y": 1, "mode": 2, "postal_code": "1", "country_code": "840"}]},
    {"objects": [{"type": "maxicode", "x": 1, "y": 1, "mode": 4}]},
    {"objects": [{"type": "rfid", "bank": "epc", "user_data": "A"}]},
    {"objects": [{"type": "rfid", "field32": 1, "bank": "user"}]},
    {"objects": [{"type": "text", "x": 1, "y": 1, "text": "A", "size": 4, "size_x": 5}]},
    {"objects": [{"type": "text", "x": 1, "y": 1, "text": "A", "size": 0}]},
    {"dpi": 203, "dots_per_mm": 8},
    {"dpi": 1e30},
    {"objetcs": []},
]
for label in invalid:
    check(not validator.is_valid(label), f"should be invalid: {json.dumps(label)}")

total = 2 + len(examples) + len(invalid)
print(f"{total - failed} passed, {failed} failed")
sys.exit(1 if failed else 0)
