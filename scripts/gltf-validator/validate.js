// Validates one .gltf or .glb file with the Khronos glTF validator: prints the counts and every
// error and warning, exits 1 when there is an error, 2 when the file cannot be validated.
const fs = require('fs');
const path = require('path');
const validator = require('gltf-validator');

const file = process.argv[2];
const folder = path.dirname(file);
const readBeside = (uri) =>
  new Promise((resolve, reject) => {
    try {
      resolve(new Uint8Array(fs.readFileSync(path.resolve(folder, decodeURIComponent(uri)))));
    } catch (e) {
      reject(e.toString());
    }
  });

validator
  .validateBytes(new Uint8Array(fs.readFileSync(file)), {
    uri: path.basename(file),
    externalResourceFunction: readBeside,
  })
  .then((report) => {
    const issues = report.issues;
    console.log(`errors ${issues.numErrors} warnings ${issues.numWarnings}`);
    for (const m of issues.messages)
      if (m.severity <= 1)
        console.log(`${m.severity === 0 ? 'error' : 'warning'} ${m.code} ${m.pointer || ''}: ${m.message}`);
    process.exit(issues.numErrors ? 1 : 0);
  })
  .catch((e) => {
    console.log(`cannot validate: ${e}`);
    process.exit(2);
  });
