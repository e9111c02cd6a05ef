#!/usr/bin/env python3
"""The window's English catalogue (a Qt .ts file) as the web page reads it:
{"exact": {Chinese: English}, "patterns": [[Chinese with %1, English with %1]]}.
Composed texts are translated by their pattern, as the window does."""
import json
import re
import sys
import xml.etree.ElementTree as ET


def main(path):
    exact, patterns = {}, []
    for message in ET.parse(path).getroot().iter("message"):
        source = message.findtext("source") or ""
        translation = message.find("translation")
        if translation is None or translation.get("type") in ("unfinished", "obsolete", "vanished"):
            continue
        english = translation.text or ""
        if not english:
            continue
        exact[source] = english
        if re.search(r"%\d", source):
            patterns.append([source, english])
    json.dump({"exact": exact, "patterns": patterns}, sys.stdout, ensure_ascii=False)


if __name__ == "__main__":
    main(sys.argv[1])
