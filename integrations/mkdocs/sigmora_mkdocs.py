"""MkDocs hooks: an image link to a Sigmora diagram becomes the SVG picture Sigmora draws of it.

    ![The read handshake](timing/handshake.sgm)

Links to .sgm diagrams, WaveJSON files (.json) and value change dumps (.vcd), relative to the page,
are drawn by ``sigmora --convert`` into a cache folder (SIGMORA_CACHE, default ".sigmora-cache"
beside mkdocs.yml) under a name made from the diagram's bytes, and the link is pointed at that
picture, which MkDocs copies into the site like any other. A diagram that did not change is never
converted again. A missing diagram or a failed conversion is a warning naming the file
(``mkdocs build --strict`` fails on it).

Set-up in mkdocs.yml (MkDocs 1.4 or later):
    hooks:
      - path/to/integrations/mkdocs/sigmora_mkdocs.py
The program is $SIGMORA, else sigmora on the PATH.
"""

import hashlib
import logging
import os
import posixpath
import re
import subprocess

from mkdocs.structure.files import File

log = logging.getLogger("mkdocs.plugins.sigmora")

# ![alt](path.sgm) or ![alt](path.sgm "title"): a relative link to a diagram.
IMAGE = re.compile(r'!\[(?P<alt>[^\]]*)\]\((?P<path>[^)\s:]+\.(?:sgm|json|vcd))(?P<title>\s+"[^"]*")?\)', re.IGNORECASE)
FOLDER = "_sigmora"

# The picture of each diagram by its path in the docs folder (forward slashes): the picture's path
# in the docs folder, or None when it could not be made.
_pictures = {}


def _cache(config):
    return os.environ.get("SIGMORA_CACHE") or os.path.join(os.path.dirname(config["config_file_path"]), ".sigmora-cache")


def _picture(config, source):
    """The picture of the diagram at source (a path in the docs folder), made when not cached."""
    path = os.path.join(config["docs_dir"], *source.split("/"))
    try:
        with open(path, "rb") as diagram:
            content = diagram.read()
    except OSError as error:
        log.warning("sigmora: %s: the diagram cannot be read: %s", source, error.strerror)
        return None
    key = hashlib.sha256(content + b"\0svg\0" + os.path.splitext(path)[1].lower().encode()).hexdigest()[:32]
    name = f"{FOLDER}/{key}.svg"
    out = os.path.join(_cache(config), FOLDER, f"{key}.svg")
    if not os.path.isfile(out):
        os.makedirs(os.path.dirname(out), exist_ok=True)
        env = dict(os.environ)
        env.setdefault("QT_QPA_PLATFORM", "offscreen")
        program = os.environ.get("SIGMORA") or "sigmora"
        try:
            done = subprocess.run([program, "--convert", path, out], capture_output=True, text=True, env=env,
                                  check=False)
        except OSError as error:
            log.warning("sigmora: %s: cannot run %s: %s", source, program, error.strerror)
            return None
        # Sigmora replaces the picture only once it is whole: a failed run leaves nothing behind.
        if done.returncode != 0:
            reason = "; ".join(line.removeprefix("sigmora: ") for line in done.stderr.splitlines() if line.strip())
            log.warning("sigmora: %s: %s", source, reason or "the conversion failed")
            return None
    return name


def on_files(files, config):
    """Draws the diagrams the pages link to and adds the pictures to the site's files."""
    _pictures.clear()
    added = set()
    for file in list(files):
        if not file.src_path.endswith(".md"):
            continue
        with open(file.abs_src_path, encoding="utf-8") as page:
            text = page.read()
        folder = posixpath.dirname(file.src_path.replace(os.sep, "/"))
        for match in IMAGE.finditer(text):
            source = posixpath.normpath(posixpath.join(folder, match.group("path")))
            if source in _pictures:
                continue
            if source.startswith("../"):
                log.warning("sigmora: %s: the diagram is outside the docs folder", match.group("path"))
                _pictures[source] = None
                continue
            picture = _picture(config, source)
            _pictures[source] = picture
            if picture and picture not in added:
                added.add(picture)
                files.append(File(picture, _cache(config), config["site_dir"], config["use_directory_urls"]))
    return files


def on_page_markdown(markdown, page, config, files):
    """Points each diagram link of the page at its picture."""
    folder = posixpath.dirname(page.file.src_path.replace(os.sep, "/"))

    def replace(match):
        source = posixpath.normpath(posixpath.join(folder, match.group("path")))
        picture = _pictures.get(source)
        if picture is None:
            return match.group(0)
        relative = posixpath.relpath(picture, folder or ".")
        return f"![{match.group('alt')}]({relative}{match.group('title') or ''})"

    return IMAGE.sub(replace, markdown)
