#!/usr/bin/env python3
"""Checks that docs/label.schema.json agrees with the tool: every example
label is valid, and labels the tool rejects are invalid."""
import json
import pathlib
import sys

import jsonschema

root = pathlib.Path(sys.argv[1])
schema = json.loads((root / "docs/label.schema.json").read_text())
jsonschema.Draft202012Validator.check_schema(schema)
validator = jsonschema.Draft202012Validator(schema)

failed = 0
for example in sorted((root / "examples").glob("*.json")):
    errors = list(validator.iter_errors(json.loads(example.read_text())))
    if errors:
        failed += 1
        print(f"FAILED: {example.name} should be valid: {errors[0].message}")

# Each of these is rejected by the tool too (see CliTests.cpp).
invalid = [
    {"objects": [{"type": "text", "x": 1, "y": 2, "text": "A", "rotation": "left"}]},
    {"objects": [{"type": "line", "x": 1, "y": 1, "x2": 2, "y2": 2, "rotaton": "cw"}]},
    {"objects": [{"type": "line", "x": 1, "y": 1, "x2": 2}]},
    {"objects": [{"type": "qr", "x": 1, "y": 1, "data": "A", "mask": 9}]},
    {"objects": [{"type": "qr", "x": 1, "y": 1, "data": "A", "segments": [{"data": "1"}]}]},
    {"objects": [{"type": "maxicode", "x": 1, "y": 1, "mode": 4, "primary": "P", "postal_code": "1"}]},
    {"objects": [{"type": "maxicode", "x": 1, "y": 1, "mode": 2, "postal_code": "1", "country_code": "840"}]},
    {"objects": [{"type": "rfid", "bank": "epc", "user_data": "A"}]},
    {"objects": [{"type": "datamatrix", "x": 1, "y": 1, "data": "A", "lines": ["B/r/nC"]}]},
    {"objects": [{"type": "text", "x": 1, "y": 1, "text": "A", "size": 4, "size_x": 5}]},
    {"dpi": 203, "dots_per_mm": 8},
    {"name": "A;B"},
    {"objetcs": []},
]
for label in invalid:
    if validator.is_valid(label):
        failed += 1
        print(f"FAILED: should be invalid: {json.dumps(label)}")

total = len(list((root / "examples").glob("*.json"))) + len(invalid)
print(f"{total - failed} passed, {failed} failed")
sys.exit(1 if failed else 0)
