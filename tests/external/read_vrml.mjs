// Reads a VRML 2.0 file with three.js's VRMLLoader and prints what it built:
// one line per mesh with its name, vertex count and material colour. Fails on
// a parse error or a non-finite coordinate.
//   node read_vrml.mjs NODE_MODULES FILE.wrl
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';

const [modules, file] = process.argv.slice(2);
const loader = join(modules, 'three', 'examples', 'jsm', 'loaders', 'VRMLLoader.js');
const { VRMLLoader } = await import(pathToFileURL(loader).href);
const scene = new VRMLLoader().parse(readFileSync(file, 'utf8'), '');
let meshes = 0;
scene.traverse((object) => {
    if (!object.isMesh) return;
    meshes += 1;
    const position = object.geometry.getAttribute('position');
    for (const v of position.array) {
        if (!Number.isFinite(v)) throw new Error(`non-finite coordinate in ${object.name}`);
    }
    console.log(`mesh ${object.name} vertices ${position.count} ` +
        `colour ${object.material.color.getHexString()}`);
});
if (meshes === 0) throw new Error('no mesh');
